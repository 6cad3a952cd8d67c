#include "numeric_entry.h"

#include "errors.h"
#include "evaluator.h"

#include <algorithm>
#include <cmath>

namespace vorna {

namespace {

bool isWhole(long double value)
{
    return std::trunc(value) == value;
}

// The shortest plain decimal text of a stored real, to the 15 digits a real holds: 4000000
// rather than 4e+06 (which the evaluator would not read back), and 1.8288 for 6 ft in
// metres rather than 1.8288000000000002.
QString shortestText(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    const double shown = QString::number(value, 'g', 15).toDouble();
    int digits = 1;
    while (digits < 15 && QString::number(value, 'g', digits).toDouble() != shown)
        ++digits;
    const QString scientific = QString::number(value, 'e', digits - 1);
    const int exponent = scientific.mid(scientific.indexOf(u'e') + 1).toInt();
    if (exponent < -5 || exponent >= 15)
        return QString::fromStdString(evaluatorText(value));
    return QString::number(value, 'f', std::max(0, digits - 1 - exponent));
}

} // namespace

EntryCheck checkEntry(const QString &text, const EntryLimits &limits,
                      const std::function<QString(long double)> &limitText)
{
    long double value = 0;
    try {
        value = Evaluate(text);
    } catch (const EAssignError &error) {
        return {std::nullopt, limits.integerOnly ? EAssignError::entryNotValidInteger().message()
                                                 : error.message()};
    }
    if (limits.roundToDouble)
        value = static_cast<double>(value);
    if (limits.integerOnly && !isWhole(value))
        return {std::nullopt, EAssignError::entryNotInteger().message()};
    if (value < limits.minVal)
        return {limits.minVal, EAssignError::entryBelowMinimum(limitText(limits.minVal)).message()};
    if (value > limits.maxVal)
        return {limits.maxVal, EAssignError::entryAboveMaximum(limitText(limits.maxVal)).message()};
    return {value, QString()};
}

QString entryText(long double value, bool hex)
{
    if (hex) {
        const long long rounded = std::llround(value);
        return QStringLiteral("$") + QString::number(rounded, 16).toUpper().rightJustified(4, u'0');
    }
    // A value that a stored real holds exactly shows its shortest text (0.6096, not
    // 0.609600000000000031); others show up to 18 significant digits.
    const auto asDouble = static_cast<double>(value);
    if (std::isfinite(asDouble) && static_cast<long double>(asDouble) == value)
        return shortestText(asDouble);
    return QString::fromStdString(evaluatorText(value));
}

} // namespace vorna
