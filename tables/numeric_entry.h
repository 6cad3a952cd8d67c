// The check of a typed number as every numeric field makes it when it is left: the entry is
// evaluated, held against the field's limits and answered with the field's messages. No
// widget is involved, so one function serves the dialogs' and the graphs' fields alike.
#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace vorna {

struct EntryLimits {
    long double minVal;
    long double maxVal;
    bool integerOnly = false;
    // The field holds a double: the entry is rounded to one before it is checked.
    bool roundToDouble = false;
};

struct EntryCheck {
    // What the field shows afterwards: the entry when it is taken, the limit it broke when
    // it is out of range; none leaves the text as typed.
    std::optional<long double> shown;
    // Why the entry was refused; empty when it was taken.
    QString message;

    bool accepted() const { return message.isEmpty(); }
};

// The entry of a field against its limits. limitText writes a limit as the field shows
// numbers, for the out-of-range messages. An integer field says "Entry must be a valid
// integer." for any text the evaluator refuses; other fields give the evaluator's message.
EntryCheck checkEntry(const QString &text, const EntryLimits &limits,
                      const std::function<QString(long double)> &limitText);

// A value as a numeric field of the dialogs shows it: "$" and four or more hexadecimal
// digits for a hexadecimal field; otherwise the shortest plain decimal text of a value a
// double holds exactly, and the evaluator's 18 significant digits for others. The decimal
// separator is always ".".
QString entryText(long double value, bool hex = false);

} // namespace vorna
