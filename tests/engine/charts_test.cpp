#include "expect_throw_text.h"
#include "method/charts.h"
#include "method/rock_socket_charts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

using namespace vorna;

namespace {

constexpr double kPsfPerPsi = 144.0;

struct AngleCase {
    const char *name;
    double blowCountN;
    double stressPsi;
    double expectedDeg;
};

TEST(FrictionAngleChart, ReadsCurvesAtBetweenAndBeyondTheGrid)
{
    const AngleCase cases[] = {
        {"20 psi, N 30: curve B on a grid point", 30, 20, 39.0},
        {"no stress, N 10: curve A on a grid point", 10, 0, 38.0},
        {"no stress, N 3: between curve A points", 3, 0, 33.0},
        {"10 psi, N 3: half-way to 30 degrees", 3, 10, 31.5},
        {"10 psi, N 15: half-way between curves A and B", 15, 10, 38.0},
        {"no stress, N 25: 45 degrees above curve B", 25, 0, 45.0},
        {"10 psi, N 25: half-way from curve B to 45", 25, 10, 41.0},
        {"no stress beyond N 55", 60, 0, 45.0},
        {"40 psi, N 8: three times N", 8, 40, 24.0},
        {"40 psi, N 12: between curve C points", 12, 40, 31.4},
        {"60 psi, N 40: curve C", 40, 60, 37.0},
        {"40 psi beyond N 90", 100, 40, 45.0},
        {"30 psi, N 4: five times N", 4, 30, 20.0},
        {"30 psi, N 8: from 30 degrees by half a degree per blow", 8, 30, 31.0},
        {"30 psi, N 20: half-way between curves B and C", 20, 30, 35.0},
        {"30 psi, N 70: half-way from curve C to 45", 70, 30, 43.5},
        {"30 psi beyond N 90", 95, 30, 45.0},
        {"N of zero", 0, 10, 0.0},
        {"negative N", -5, 50, 0.0},
    };
    for (const AngleCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(frictionAngleFromNDeg(c.blowCountN, c.stressPsi * kPsfPerPsi), c.expectedDeg,
                    1e-9);
    }
}

TEST(FrictionAngleChart, StressBandLimitsBelongToTheLowerBandAndTo40Psi)
{
    // At exactly 20 psi the low-stress rule applies (curve A blended fully into B).
    EXPECT_NEAR(frictionAngleFromNDeg(15, 20 * kPsfPerPsi), 34.0, 1e-9);
    // At exactly 40 psi the high-stress rule applies: 3 N up to N = 10.
    EXPECT_NEAR(frictionAngleFromNDeg(10, 40 * kPsfPerPsi), 30.0, 1e-9);
}

struct ChartCase {
    const char *name;
    double row;
    double column;
    double expected;
};

TEST(WeakRockCharts, SlumpFactor)
{
    const ChartCase cases[] = {
        {"surface", 0.0, 6.0, 1.0},
        {"grid point", 13.12, 5.0, 0.52},
        {"between slumps", 13.12, 5.945, 0.74},
        {"below the first slump", 13.12, 4.0, 0.52},
        {"beyond the last slump", 13.12, 10.0, 1.0},
        {"between heads", 6.56, 5.0, 0.76},
        {"beyond the last head: last curve", 40.0, 5.0, 0.35},
        {"negative head: first curve", -1.0, 5.0, 1.0},
    };
    for (const ChartCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(slumpFactor(c.row, c.column), c.expected, 1e-9);
    }
}

TEST(WeakRockCharts, SmoothSocketAlpha)
{
    const ChartCase cases[] = {
        {"grid point", 1.0, 10415.0, 0.2},         {"below the first row", 0.5, 10415.0, 0.2},
        {"between rows", 1.5, 10415.0, 0.27},      {"between columns", 1.0, 15622.5, 0.1725},
        {"last grid point", 7.0, 104150.0, 0.156}, {"beyond both", 8.0, 200000.0, 0.156},
    };
    for (const ChartCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(smoothSocketAlpha(c.row, c.column), c.expected, 1e-9);
    }
}

TEST(WeakRockCharts, SmoothSocketRatioN)
{
    const ChartCase cases[] = {
        {"first grid point", 400.0, 5.0, 0.5},  {"zero on the chart", 3000.0, 28.0, 0.0},
        {"between rows", 750.0, 14.0, 0.42375}, {"beyond both", 5000.0, 48.0, 0.0},
        {"below both", 100.0, 1.0, 0.5},
    };
    for (const ChartCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(smoothSocketRatioN(c.row, c.column), c.expected, 1e-9);
    }
}

TEST(WeakRockCharts, MassModulusAndJointFactor)
{
    EXPECT_NEAR(massModulusRatio(10, false), 0.05, 1e-12);
    EXPECT_NEAR(massModulusRatio(20, true), 0.05, 1e-12);
    EXPECT_NEAR(massModulusRatio(60, false), 0.425, 1e-12);
    EXPECT_NEAR(massModulusRatio(60, true), 0.2, 1e-12);
    EXPECT_NEAR(massModulusRatio(85, true), 0.45, 1e-12);
    EXPECT_NEAR(massModulusRatio(100, false), 1.0, 1e-12);
    EXPECT_NEAR(massModulusRatio(120, true), 0.6, 1e-12);

    EXPECT_NEAR(jointFactor(0.01), 0.3, 1e-12);
    EXPECT_NEAR(jointFactor(0.02), 0.3, 1e-12);
    EXPECT_NEAR(jointFactor(0.2), 0.625, 1e-12);
    EXPECT_NEAR(jointFactor(1.0), 1.0, 1e-12);
    EXPECT_NEAR(jointFactor(2.0), 1.0, 1e-12);
}

TEST(WeakRockCharts, OpenJointsNeverStifferThanClosed)
{
    for (double rqd = 0.0; rqd <= 120.0; rqd += 5.0) {
        SCOPED_TRACE(std::to_string(rqd));
        EXPECT_LE(massModulusRatio(rqd, true), massModulusRatio(rqd, false));
    }
}

} // namespace

// A value that is not finite has no place on any chart; the walk of the rock socket once
// took a NaN movement ratio as an array index.
TEST(ChartLookups, RefuseValuesThatAreNotFinite)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<const char *, std::function<double(double)>> lookups[] = {
        {"walk transfer",
         [](double v) { return vorna::walkTransferFraction(vorna::SoilType::Clay, true, v); }},
        {"socket influence", [](double v) { return vorna::socketInfluenceFactor(v, 100.0); }},
        {"socket modulus ratio", [](double v) { return vorna::socketInfluenceFactor(2.0, v); }},
        {"RQD modulus", [](double v) { return vorna::rqdModulusFactor(v); }},
        {"friction angle", [](double v) { return vorna::frictionAngleFromNDeg(v, 1000.0); }},
        {"friction angle stress", [](double v) { return vorna::frictionAngleFromNDeg(20.0, v); }},
        {"slump", [](double v) { return vorna::slumpFactor(v, 7.0); }},
        {"joint factor", [](double v) { return vorna::jointFactor(v); }},
    };
    for (const auto &[name, lookup] : lookups) {
        SCOPED_TRACE(name);
        for (double value : {nan, inf, -inf})
            EXPECT_THROW_TEXT(lookup(value), vorna::ChartValueNotFinite,
                              "A DESIGN CHART WAS READ AT A VALUE THAT IS NOT A NUMBER.");
        EXPECT_TRUE(std::isfinite(lookup(1e-308))); // tiny but finite: read as usual
    }
}
