#include "unit_code.h"

#include <array>
#include <cmath>

namespace vorna {

namespace {

struct UnitSymbol {
    const char *symbol;
    const char *englishName;
    const char *siName;
    double englishPerSi;
};

// Force symbols F0 to F6 (F3 is unused) and length symbols L0 to L3.
constexpr std::array<UnitSymbol, 7> kForces = {{
    {"F0", "lbs", "kN", 224.8089237},
    {"F1", "kips", "kN", 0.2248089237},
    {"F2", "tons", "kN", 0.1124044745},
    {"F3", "lbs", "kN", 224.8089237},
    {"F4", "lb-sec2/in", "Mg", 5.7101483},
    {"F5", "sec", "sec", 1.0},
    {"F6", "slug", "Mg", 68.364249},
}};
constexpr std::array<UnitSymbol, 4> kLengths = {{
    {"L0", "in", "m", 39.37007874},
    {"L1", "in", "mm", 0.03937007874},
    {"L2", "ft", "m", 3.280839895},
    {"L3", "rad", "rad", 1.0},
}};

// "^" and a one-digit power, or 1.
int readPower(const QString &text, qsizetype &pos)
{
    if (pos + 1 < text.size() && text[pos] == u'^' && text[pos + 1].isDigit()) {
        const int power = text[pos + 1].digitValue();
        pos += 2;
        return power;
    }
    return 1;
}

// Factor of one side of a code, from pos up to the "/" or the end.
double termFactor(const QString &text, qsizetype pos)
{
    double factor = 1.0;
    if (pos < text.size() && text[pos] == u'F') {
        ++pos;
        int index = 0;
        if (pos < text.size() && QStringLiteral("012456").contains(text[pos])) {
            index = text[pos].digitValue();
            ++pos;
        }
        factor =
            std::pow(kForces[static_cast<std::size_t>(index)].englishPerSi, readPower(text, pos));
        // A force part and a length part on one side are separated by one character.
        if (pos < text.size() && text[pos] != u'L' && text[pos] != u'/')
            ++pos;
    }
    if (pos < text.size() && text[pos] == u'L') {
        ++pos;
        int index = 0;
        if (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'3') {
            index = text[pos].digitValue();
            ++pos;
        }
        factor *=
            std::pow(kLengths[static_cast<std::size_t>(index)].englishPerSi, readPower(text, pos));
    }
    return factor;
}

} // namespace

double unitFactor(const QString &code)
{
    const qsizetype slash = code.indexOf(u'/');
    if (slash < 0)
        return termFactor(code, 0);
    return termFactor(code.left(slash), 0) / termFactor(code, slash + 1);
}

double unitConversion(const QString &code, int fromSystem, int toSystem)
{
    if (fromSystem == kEnglishUnits && toSystem == kSiUnits)
        return 1.0 / unitFactor(code);
    if (fromSystem == kSiUnits && toSystem == kEnglishUnits)
        return unitFactor(code);
    return 1.0;
}

QString unitText(const QString &code, int system)
{
    // Symbols with a digit go before their bare letter, so "F2" is not read as "F" and "2".
    const char *order[] = {"F2", "F1", "F4", "F5", "F6", "F0", "F", "L3", "L2", "L1", "L0", "L"};
    QString text = code;
    for (const char *symbol : order) {
        const QString s = QLatin1String(symbol);
        const UnitSymbol *entry = nullptr;
        if (s.startsWith(u'F'))
            entry = &kForces[s.size() > 1 ? static_cast<std::size_t>(s[1].digitValue()) : 0];
        else
            entry = &kLengths[s.size() > 1 ? static_cast<std::size_t>(s[1].digitValue()) : 0];
        text.replace(s, QLatin1String(system == kSiUnits ? entry->siName : entry->englishName));
    }
    return text;
}

} // namespace vorna
