#include "../tables/qt_print.h"
#include "plot_file_reader.h"
#include "word_reader.h"

#include <gtest/gtest.h>

using namespace vorna;

namespace {

// Fifteen load-settlement rows whose top load starts at `load`: top load, top movement,
// tip load, tip movement.
QString settlementRows(double load)
{
    QString text;
    for (int i = 0; i < kSettlementRows; ++i)
        text += QStringLiteral("  %1  %2  1.0  0.01\n").arg(load + i).arg(0.01 * (i + 1));
    return text;
}

// Two diameters with trend and bounds (KLS 3). The first block has two capacity rows, the
// second only one, as the engine writes them: seven values over two lines.
QString twoDiameters()
{
    return QStringLiteral(" 2 4 3\n"
                          "   0.0  0.0  0.0  0.0  0.0 0.0  0.0  \n"
                          "  0.100E+02   0.0   0.0  0.0 0.0  0.0  0.0 \n"
                          "  0.100E+02  0.500E+02  0.200E+02  0.700E+02  0.250E+02\n"
                          "  0.667E+01  0.317E+02\n"
                          "  0.110E+02  0.550E+02  0.220E+02  0.770E+02  0.275E+02\n"
                          "  0.733E+01  0.348E+02\n") +
           settlementRows(100) + settlementRows(200) + settlementRows(300) +
           QStringLiteral(" 2 3 3\n"
                          "   0.0  0.0  0.0  0.0  0.0 0.0  0.0  \n"
                          "  0.100E+02   0.0   0.0  0.0 0.0  0.0  0.0 \n"
                          "  12.5\t60.0  0.0  60.0  30.0 0.0  30.0\n") +
           settlementRows(400) + settlementRows(500) + settlementRows(600);
}

PlotData read(const QString &text, const PlotReadOptions &options = {})
{
    TWordReader reader(text);
    return readPlotData(reader, options);
}

void expectInputError(const QString &text, const char *message)
{
    try {
        read(text);
        ADD_FAILURE() << "no error";
    } catch (const EInputError &e) {
        EXPECT_EQ(e.message(), QString::fromUtf8(message));
    }
}

TEST(PlotFileReader, ReadsTheHeaderOfTheFirstBlock)
{
    const PlotData data = read(twoDiameters());
    EXPECT_EQ(data.diameterCount, 2);
    EXPECT_EQ(data.pointsPerLine, 4);
    EXPECT_EQ(data.KLS, 3);
    ASSERT_EQ(data.diameters.size(), 2u);
}

TEST(PlotFileReader, TwoLineRowsReadAsSevenValues)
{
    const PlotData data = read(twoDiameters());
    const CapacityPoint expected{10.0, 50.0, 20.0, 70.0, 25.0, 6.67, 31.7};
    EXPECT_EQ(data.diameters[0].capacity.at(2), expected);
    EXPECT_DOUBLE_EQ(data.diameters[0].capacity.at(3).depth, 11.0);
    EXPECT_DOUBLE_EQ(data.diameters[0].capacity.at(1).depth, 10.0); // the second zero row
}

TEST(PlotFileReader, ShorterBlockRepeatsItsLastRow)
{
    const PlotData data = read(twoDiameters());
    const std::vector<CapacityPoint> &second = data.diameters[1].capacity;
    ASSERT_EQ(second.size(), 4u);
    EXPECT_DOUBLE_EQ(second[2].depth, 12.5); // plain decimals and a tab read alike
    EXPECT_DOUBLE_EQ(second[3].depth, 12.5);
    EXPECT_DOUBLE_EQ(second[3].total, 60.0);
}

TEST(PlotFileReader, VanishingLastTipValueIsRaised)
{
    const PlotData data = read(twoDiameters());
    EXPECT_DOUBLE_EQ(data.diameters[1].capacity[3].base, 1e-5);
    EXPECT_DOUBLE_EQ(data.diameters[1].capacity[2].base, 0.0); // only the last point
    EXPECT_DOUBLE_EQ(data.diameters[0].capacity[3].base, 22.0);
}

TEST(PlotFileReader, SettlementCurvesInOrder)
{
    const PlotData data = read(twoDiameters());
    const PlotDiameter &first = data.diameters[0];
    ASSERT_EQ(first.averaged.size(), 15u);
    ASSERT_EQ(first.upperBound.size(), 15u);
    ASSERT_EQ(first.lowerBound.size(), 15u);
    EXPECT_EQ(first.averaged[0], (SettlementPoint{100.0, 0.01}));
    EXPECT_EQ(first.upperBound[14], (SettlementPoint{214.0, 0.15}));
    EXPECT_EQ(first.lowerBound[0].topLoad, 300.0);
    EXPECT_EQ(data.diameters[1].lowerBound[0].topLoad, 600.0);
}

TEST(PlotFileReader, WithoutBoundsOnlyTheTrend)
{
    const QString text = QStringLiteral(" 1 3 0\n"
                                        " 0 0 0 0 0 0 0\n 5 0 0 0 0 0 0\n"
                                        " 5 10 40 50 4 13.3 17.3\n") +
                         settlementRows(10);
    const PlotData data = read(text);
    EXPECT_EQ(data.KLS, 0);
    EXPECT_EQ(data.diameters[0].averaged.size(), 15u);
    EXPECT_TRUE(data.diameters[0].upperBound.empty());
}

TEST(PlotFileReader, OlderLayoutComputesTheFactoredValues)
{
    const QString text = QStringLiteral(" 1 3 0\n 0 0 0 0 0\n 5 0 0 0 0\n 5 10 30 40 99\n") +
                         settlementRows(10);
    PlotReadOptions options;
    options.currentLayout = false;
    options.FST = 2.5;
    options.FSB = 3.0;
    const CapacityPoint p = read(text, options).diameters[0].capacity[2];
    EXPECT_DOUBLE_EQ(p.factoredSide, 4.0);
    EXPECT_DOUBLE_EQ(p.factoredBase, 10.0);
    EXPECT_DOUBLE_EQ(p.factoredTotal, 14.0);
}

TEST(PlotFileReader, UpliftKeepsTheSelfWeightUndivided)
{
    const QString current = QStringLiteral(" 1 3 0\n 0 0 0 0 0 0 0\n 5 0 0 0 0 0 0\n"
                                           " 5 10 30 40 4 10 14\n") +
                            settlementRows(10);
    PlotReadOptions options;
    options.uplift = true;
    EXPECT_DOUBLE_EQ(read(current, options).diameters[0].capacity[2].factoredBase, 30.0);

    const QString older = QStringLiteral(" 1 3 0\n 0 0 0 0 0\n 5 0 0 0 0\n 5 10 30 40 99\n") +
                          settlementRows(10);
    options.currentLayout = false;
    options.FST = 2.0;
    options.FSB = 3.0;
    const CapacityPoint p = read(older, options).diameters[0].capacity[2];
    EXPECT_DOUBLE_EQ(p.factoredBase, 30.0);
    EXPECT_DOUBLE_EQ(p.factoredTotal, 35.0);
}

TEST(PlotFileReader, EmptyFileIsIncomplete)
{
    expectInputError(QString(), "This file either invalid or incomplete.");
}

TEST(PlotFileReader, MissingDiameterBlockIsIncomplete)
{
    // A run that stopped early leaves fewer blocks than the header announces.
    QString text = twoDiameters();
    text.truncate(text.indexOf(QStringLiteral(" 2 3 3")));
    expectInputError(text, "This file either invalid or incomplete.");
}

TEST(PlotFileReader, CommaDecimalIsAnError)
{
    expectInputError(QStringLiteral(" 1 3 0\n 0 0 0 0 0 0 0\n 5 0 0 0,5 0 0 0\n"),
                     "Error on Line 3 Item 4\rA floating point number was expected but not found.");
}

TEST(PlotFileReader, HeaderNeedsWholeNumbers)
{
    expectInputError(QStringLiteral(" 1 3.5 0\n"),
                     "Error on Line 1 Item 2\rAn integer was expected but not found.");
}

TEST(PlotFileReader, MissingFileCannotBeOpened)
{
    EXPECT_THROW(readPlotFile(QStringLiteral("/nonexistent/x.vrp"), {}), EInputError);
}

TEST(PlotFileReader, LineNames)
{
    EXPECT_EQ(diameterLineName(0, 2.0, 1), QStringLiteral("Dia=2 ft"));
    EXPECT_EQ(diameterLineName(1, 2.0, 1), QStringLiteral("Dia=2.5 ft"));
    EXPECT_EQ(diameterLineName(3, 2.0, 1), QStringLiteral("Dia=3.5 ft"));
    EXPECT_EQ(diameterLineName(2, 0.6, 2), QStringLiteral("Dia=0.904 m"));
}

} // namespace
