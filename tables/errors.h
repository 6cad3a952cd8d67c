// Exceptions of the data-entry tables. Each kind fixes its message texts here, so callers
// throw them without composing words and tests can compare the texts exactly.
#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace vorna {

// Base of the desktop's exceptions: a message meant for an information box.
class EVornaError : public std::exception {
public:
    explicit EVornaError(QString message)
        : m_message(std::move(message)), m_utf8(m_message.toUtf8())
    {}
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A typed entry that cannot be taken: the caller shows the message and keeps the old value.
class EAssignError : public EVornaError {
public:
    // Why the evaluator could not turn an entry into a number.
    enum class Fault {
        Blank,
        Parentheses,
        InvalidExpression,
        Factorial,
        Hex,
        InvalidCharacters,
        DivisionByZero,
        Logarithm,
        SquareRoot,
        TooLarge,
        Undefined,
    };

    static EAssignError evaluation(Fault fault);
    static EAssignError entryNotInteger() { return EAssignError("Entry must be an integer."); }
    // Any text the evaluator refuses, in an integer field.
    static EAssignError entryNotValidInteger()
    {
        return EAssignError("Entry must be a valid integer.");
    }
    // limit: the limit as the field shows numbers.
    static EAssignError entryBelowMinimum(const QString &limit)
    {
        return EAssignError(QStringLiteral("Entry must be greater than or equal to ") + limit);
    }
    static EAssignError entryAboveMaximum(const QString &limit)
    {
        return EAssignError(QStringLiteral("Entry must be less than or equal to ") + limit);
    }
    static EAssignError entryOutOfRange(int min, int max)
    {
        return EAssignError(QStringLiteral("Entry must be between %1 and %2.").arg(min).arg(max));
    }
    static EAssignError choiceNotInteger() { return EAssignError("Value must be an integer."); }
    static EAssignError choiceOutOfRange(int count)
    {
        return EAssignError(QStringLiteral("Choice must be between 1 and %1.").arg(count));
    }

private:
    explicit EAssignError(const QString &message) : EVornaError(message) {}
};

// A value asked of a column that does not hold that kind of value.
class EInvalidCast : public EVornaError {
public:
    EInvalidCast() : EVornaError(QStringLiteral("Data of wrong type")) {}
};

// Misuse of a table or column by the program itself.
class ETableError : public EVornaError {
public:
    using EVornaError::EVornaError;

    static ETableError topDepthWithoutBottom()
    {
        return ETableError(
            QStringLiteral("If column if a topdepth then the next column must be a float column"));
    }
    static ETableError minRowsNotPositive()
    {
        return ETableError(QStringLiteral("Value must be greater than 0"));
    }
    static ETableError rowOutOfRange()
    {
        return ETableError(QStringLiteral("Grid.Row not in valid range"));
    }
    static ETableError indexOutOfBounds()
    {
        return ETableError(QStringLiteral("Index out of bounds"));
    }
    static ETableError tooFewGridColumns()
    {
        return ETableError(QStringLiteral("There must be at least 2 columns in grid"));
    }
};

} // namespace vorna
