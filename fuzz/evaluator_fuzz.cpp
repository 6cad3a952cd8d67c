// libFuzzer target: the expression evaluator on arbitrary entry text. A value it returns
// must be finite and must read back from its own carried text.
#include "errors.h"
#include "evaluator.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    long double value = 0;
    try {
        value = vorna::Evaluate(text);
    } catch (const vorna::EAssignError &) {
        return 0;
    }
    if (!std::isfinite(value))
        std::abort();
    const long double again = vorna::Evaluate(QString::fromStdString(vorna::evaluatorText(value)));
    if (std::fabs(again - value) > 1e-15L * std::fabs(value))
        std::abort();
    return 0;
}
