#include "errors.h"

namespace vorna {

EAssignError EAssignError::evaluation(Fault fault)
{
    const char *reason = "";
    switch (fault) {
    case Fault::Blank:
        reason = "entry cannot be blank";
        break;
    case Fault::Parentheses:
        reason = "() (parentheses) do not match";
        break;
    case Fault::InvalidExpression:
        reason = "invalid expression";
        break;
    case Fault::Factorial:
        reason = "! (factoral) applicable to integers only";
        break;
    case Fault::Hex:
        reason = "invalid use of $ (hex function)";
        break;
    case Fault::InvalidCharacters:
        reason = "invalid character(s) in expression";
        break;
    case Fault::DivisionByZero:
        reason = "division by zero";
        break;
    case Fault::Logarithm:
        reason = "logarithm of zero or of a negative number";
        break;
    case Fault::SquareRoot:
        reason = "square root of a negative number";
        break;
    case Fault::TooLarge:
        reason = "number too large";
        break;
    case Fault::Undefined:
        reason = "result is undefined (function argument out of range)";
        break;
    }
    return EAssignError(QStringLiteral("Entry could not be evaluated:\r") + QLatin1String(reason));
}

} // namespace vorna
