#include "evaluator.h"

#include "errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <string_view>
#include <vector>

namespace vorna {

namespace {

using Fault = EAssignError::Fault;

// Entries longer than this are not typed by hand; the limit keeps the work per entry small.
constexpr std::size_t kMaxEntryLength = 10000;

// The largest n whose factorial is finite in extended precision.
constexpr long double kMaxFactorial = 1754.0L;

[[noreturn]] void fail(Fault fault)
{
    throw EAssignError::evaluation(fault);
}

long double checkedResult(long double value)
{
    if (std::isnan(value))
        fail(Fault::Undefined);
    if (std::isinf(value))
        fail(Fault::TooLarge);
    return value;
}

long double parseCarried(std::string_view text);

// Partial results are rounded to the 18 digits of their text form.
long double carried(long double value)
{
    return parseCarried(evaluatorText(checkedResult(value)));
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Optional sign, digits with an optional point, optional exponent with E or e.
bool isDecimalNumber(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '-' || s[i] == '+'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == s.size();
}

// A decimal number already checked by isDecimalNumber; tiny values become 0.
long double parseCarried(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long double value = 0.0L;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        const std::size_t e = text.find_first_of("eE");
        if (e != std::string_view::npos && e + 1 < text.size() && text[e + 1] == '-')
            return 0.0L;
        fail(Fault::TooLarge);
    }
    if (ec != std::errc{} || ptr != text.data() + text.size())
        fail(Fault::InvalidCharacters);
    return checkedResult(value);
}

// Function names in the order they are tried: longer names before their prefixes.
constexpr std::string_view kFunctions[] = {
    "arctanh", "arctan",  "cotan",  "tanh", "tan",   "arccosh", "arccos", "cosh", "cos",
    "sec",     "arcsinh", "arcsin", "sinh", "sin",   "cosec",   "csc",    "abs",  "frac",
    "int",     "ln",      "round",  "ceil", "floor", "log",     "sqrt",
};

bool isFunctionName(std::string_view s)
{
    return std::find(std::begin(kFunctions), std::end(kFunctions), s) != std::end(kFunctions);
}

long double reciprocal(long double x)
{
    if (x == 0.0L)
        fail(Fault::DivisionByZero);
    return 1.0L / x;
}

long double applyFunction(std::string_view name, long double x)
{
    if (name == "arctanh") {
        if (std::fabs(x) >= 1.0L)
            fail(Fault::Undefined);
        return std::atanh(x);
    }
    if (name == "arctan")
        return std::atan(x);
    if (name == "cotan")
        return reciprocal(std::tan(x));
    if (name == "tanh")
        return std::tanh(x);
    if (name == "tan")
        return std::tan(x);
    if (name == "arccosh")
        return std::acosh(x);
    if (name == "arccos")
        return std::acos(x);
    if (name == "cosh")
        return std::cosh(x);
    if (name == "cos")
        return std::cos(x);
    if (name == "sec")
        return reciprocal(std::cos(x));
    if (name == "arcsinh")
        return std::asinh(x);
    if (name == "arcsin")
        return std::asin(x);
    if (name == "sinh")
        return std::sinh(x);
    if (name == "sin")
        return std::sin(x);
    if (name == "cosec" || name == "csc")
        return reciprocal(std::sin(x));
    if (name == "abs")
        return std::fabs(x);
    if (name == "frac")
        return x - std::trunc(x);
    if (name == "int")
        return std::trunc(x);
    if (name == "round")
        return std::nearbyint(x); // the default rounding mode sends halves to even
    if (name == "ceil")
        return std::ceil(x);
    if (name == "floor")
        return std::floor(x);
    if (name == "ln" || name == "log") {
        if (x <= 0.0L)
            fail(Fault::Logarithm);
        return name == "ln" ? std::log(x) : std::log10(x);
    }
    // sqrt
    if (x < 0.0L)
        fail(Fault::SquareRoot);
    return std::sqrt(x);
}

// |n|! with the sign of n.
long double factorial(long double n)
{
    if (n != std::trunc(n))
        fail(Fault::Factorial);
    const long double magnitude = std::fabs(n);
    if (magnitude > kMaxFactorial)
        fail(Fault::TooLarge);
    long double product = 1.0L;
    for (long double k = 2.0L; k <= magnitude; k += 1.0L)
        product *= k;
    return n < 0.0L ? -product : product;
}

long double hexValue(std::string_view digits)
{
    unsigned long long value = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (ec == std::errc::result_out_of_range)
        fail(Fault::TooLarge);
    if (digits.empty() || ec != std::errc{} || ptr != digits.data() + digits.size())
        fail(Fault::Hex);
    return static_cast<long double>(value);
}

std::string withoutDoubleMinus(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '-' && i + 1 < s.size() && s[i + 1] == '-') {
            ++i;
            continue;
        }
        out += s[i];
    }
    return out;
}

// One operand: constants, function prefixes, trailing factorials, hexadecimal or a number.
// Function prefixes and factorials are unwound in loops, so a long chain cannot exhaust
// the stack.
long double evaluateOperand(std::string_view text)
{
    std::string s(text);
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    s = withoutDoubleMinus(s);

    std::vector<std::string_view> functions;
    std::string_view rest(s);
    for (bool found = true; found;) {
        found = false;
        if (rest == "pi" || rest == "-pi" || rest == "e" || rest == "-e")
            break;
        for (std::string_view name : kFunctions) {
            if (rest.starts_with(name)) {
                functions.push_back(name);
                rest.remove_prefix(name.size());
                found = true;
                break;
            }
        }
    }
    int factorials = 0;
    while (!rest.empty() && rest.back() == '!') {
        rest.remove_suffix(1);
        ++factorials;
    }

    long double value = 0.0L;
    if (rest == "pi")
        value = std::numbers::pi_v<long double>;
    else if (rest == "-pi")
        value = -std::numbers::pi_v<long double>;
    else if (rest == "e")
        value = std::numbers::e_v<long double>;
    else if (rest == "-e")
        value = -std::numbers::e_v<long double>;
    else if (!rest.empty() && rest.front() == '$')
        value = hexValue(rest.substr(1));
    else if (isDecimalNumber(rest))
        value = parseCarried(rest);
    else
        fail(Fault::InvalidCharacters);

    for (int i = 0; i < factorials; ++i)
        value = checkedResult(factorial(value));
    for (auto f = functions.rbegin(); f != functions.rend(); ++f)
        value = checkedResult(applyFunction(*f, value));
    return value;
}

struct Operand {
    std::string text;
    bool evaluated = false;
    long double value = 0.0L;

    long double get()
    {
        if (!evaluated) {
            value = evaluateOperand(text);
            evaluated = true;
        }
        return value;
    }
};

constexpr char kSubtract = '-';

bool isOperator(char c)
{
    return std::string_view("^*/%+=|&").find(c) != std::string_view::npos;
}

// A "-" is a sign when it starts the text, follows a function name (or "!" or "$") that
// starts its operand, or follows an operator character, an exponent letter or another minus.
bool isSign(const std::string &text, std::size_t at, std::size_t operandStart)
{
    if (at == 0)
        return true;
    const char before = text[at - 1];
    if (std::string_view("%&*+/=Ee^|-").find(before) != std::string_view::npos)
        return true;
    std::string head = text.substr(operandStart, at - operandStart);
    std::transform(head.begin(), head.end(), head.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return isFunctionName(head) || head == "!" || head == "$";
}

long double truncatedToInt64(long double x)
{
    constexpr long double kLimit = 9223372036854775808.0L; // 2^63
    const long double t = std::trunc(x);
    if (!(std::fabs(t) < kLimit))
        fail(Fault::TooLarge);
    return t;
}

long double apply(char op, long double a, long double b)
{
    switch (op) {
    case '^':
        if (a == 0.0L && b < 0.0L)
            fail(Fault::DivisionByZero);
        return std::pow(a, b);
    case '*':
        return a * b;
    case '/':
        if (b == 0.0L)
            fail(Fault::DivisionByZero);
        return a / b;
    case '%': {
        const auto left = static_cast<long long>(truncatedToInt64(a));
        const auto right = static_cast<long long>(truncatedToInt64(b));
        if (right == 0)
            fail(Fault::DivisionByZero);
        if (right == -1)
            return 0.0L; // avoids the overflow of INT64_MIN % -1
        return static_cast<long double>(left % right);
    }
    case '&':
        return (a != 0.0L && b != 0.0L) ? 1.0L : 0.0L;
    case '+':
        return a + b;
    case kSubtract:
        return a - b;
    case '|':
        return (a != 0.0L || b != 0.0L) ? 1.0L : 0.0L;
    default: // '='
        return a == b ? 1.0L : 0.0L;
    }
}

// An expression without parentheses.
long double evaluateFlat(const std::string &text)
{
    std::vector<Operand> operands(1);
    std::vector<char> operators;
    std::size_t operandStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool isSubtraction = c == '-' && !isSign(text, i, operandStart);
        if (isOperator(c) || isSubtraction) {
            operators.push_back(c);
            operands.emplace_back();
            operandStart = i + 1;
        } else {
            operands.back().text += c;
        }
    }
    for (const Operand &o : operands) {
        if (o.text.empty())
            fail(Fault::InvalidExpression);
    }

    for (std::string_view pass : {"^", "*/%&", "+-|", "="}) {
        std::vector<Operand> keptOperands{operands.front()};
        std::vector<char> keptOperators;
        for (std::size_t i = 0; i < operators.size(); ++i) {
            if (pass.find(operators[i]) == std::string_view::npos) {
                keptOperators.push_back(operators[i]);
                keptOperands.push_back(operands[i + 1]);
                continue;
            }
            Operand &left = keptOperands.back();
            const long double result =
                carried(apply(operators[i], left.get(), operands[i + 1].get()));
            left = Operand{evaluatorText(result), true, result};
        }
        operands = std::move(keptOperands);
        operators = std::move(keptOperators);
    }
    return operands.front().get();
}

long double evaluateText(std::string text)
{
    if (text.empty())
        fail(Fault::Blank);
    if (text.size() > kMaxEntryLength)
        fail(Fault::InvalidExpression);
    std::erase_if(text, [](char c) { return c == ' ' || c == '\t'; });

    // Innermost parentheses first: the first ")" and the last "(" before it.
    for (std::size_t close = text.find(')'); close != std::string::npos; close = text.find(')')) {
        const std::size_t open = close == 0 ? std::string::npos : text.rfind('(', close - 1);
        if (open == std::string::npos)
            fail(Fault::Parentheses);
        const long double inner = evaluateText(text.substr(open + 1, close - open - 1));
        text.replace(open, close - open + 1, evaluatorText(carried(inner)));
    }
    return evaluateFlat(text);
}

} // namespace

std::string evaluatorText(long double value)
{
    char buffer[64];
    const auto [ptr, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 18);
    std::string text(buffer, ec == std::errc{} ? ptr : buffer);
    const std::size_t plus = text.find('+');
    if (plus != std::string::npos)
        text.erase(plus, 1);
    return text;
}

QString generalText(double value, int digits)
{
    QString text = QString::number(value, 'g', digits); // "." whatever the locale
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e < 0)
        return text;
    QString exponent = text.mid(e + 1);
    const bool negative = exponent.startsWith(QLatin1Char('-'));
    if (negative || exponent.startsWith(QLatin1Char('+')))
        exponent.remove(0, 1);
    while (exponent.size() > 1 && exponent.startsWith(QLatin1Char('0')))
        exponent.remove(0, 1);
    return text.left(e) + (negative ? QStringLiteral("E-") : QStringLiteral("E")) + exponent;
}

long double Evaluate(const QString &text)
{
    return evaluateText(text.toStdString());
}

} // namespace vorna
