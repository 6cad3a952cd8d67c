#include "qt_print.h"
#include "unit_code.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vorna;

namespace {

struct UnitCase {
    const char *code;
    double englishPerSi; // worked by hand from the symbol factors
    const char *english;
    const char *si;
};

TEST(UnitCode, FactorsAndTexts)
{
    const UnitCase cases[] = {
        {"", 1.0, "", ""},
        {"L2", 3.280839895, "ft", "m"},
        {"L", 39.37007874, "in", "m"},
        {"F2", 0.1124044745, "tons", "kN"},
        {"F/L2^2", 224.8089237 / (3.280839895 * 3.280839895), "lbs/ft^2", "kN/m^2"},
        {"F/L2^3", 224.8089237 / (3.280839895 * 3.280839895 * 3.280839895), "lbs/ft^3", "kN/m^3"},
        {"F/L^2", 224.8089237 / (39.37007874 * 39.37007874), "lbs/in^2", "kN/m^2"},
        {"F1/L1", 0.2248089237 / 0.03937007874, "kips/in", "kN/mm"},
        {"F2^2", 0.1124044745 * 0.1124044745, "tons^2", "kN^2"},
        {"F0", 224.8089237, "lbs", "kN"},
        {"L0", 39.37007874, "in", "m"},
        {"L3", 1.0, "rad", "rad"},
        {"F6/L2", 68.364249 / 3.280839895, "slug/ft", "Mg/m"},
    };
    for (const UnitCase &c : cases) {
        SCOPED_TRACE(c.code);
        const QString code = QString::fromLatin1(c.code);
        EXPECT_NEAR(unitFactor(code), c.englishPerSi, 1e-12 * c.englishPerSi);
        EXPECT_EQ(unitText(code, kEnglishUnits), QString::fromLatin1(c.english));
        EXPECT_EQ(unitText(code, kSiUnits), QString::fromLatin1(c.si));
    }
}

TEST(UnitCode, ConversionDirections)
{
    const QString psf = QStringLiteral("F/L2^2");
    // 2000 lbs/ft^2 is 95.76 kN/m^2.
    EXPECT_NEAR(2000.0 * unitConversion(psf, kEnglishUnits, kSiUnits), 95.76052, 1e-5);
    EXPECT_NEAR(95.76052 * unitConversion(psf, kSiUnits, kEnglishUnits), 2000.0, 1e-3);
    EXPECT_EQ(unitConversion(psf, kSiUnits, kSiUnits), 1.0);
    EXPECT_EQ(unitConversion(psf, kEnglishUnits, kEnglishUnits), 1.0);
}

} // namespace
