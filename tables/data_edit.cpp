#include "data_edit.h"

#include "errors.h"
#include "evaluator.h"
#include "numeric_entry.h"
#include "unit_code.h"
#include "user_message.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>

#include <algorithm>
#include <climits>
#include <cmath>

namespace vorna {

namespace {

// The window that owns a widget: the nearest top-level window or MDI child.
const QWidget *ownerWindow(const QWidget *widget)
{
    while (widget && !widget->isWindow() &&
           !qobject_cast<const QMdiSubWindow *>(widget->parentWidget()))
        widget = widget->parentWidget();
    return widget;
}

} // namespace

QString dataEditUnitText(const QString &code, int units)
{
    if (units == 3)
        return code;
    const int system = units == kSiUnits ? kSiUnits : kEnglishUnits;
    QString text = code;
    auto replaceFirstFound = [&](std::initializer_list<const char *> symbols, const char *bare) {
        for (const char *symbol : symbols) {
            const QString s = QLatin1String(symbol);
            if (text.contains(s)) {
                text.replace(s, unitText(s, system));
                return;
            }
        }
        text.replace(QLatin1String(bare), unitText(QLatin1String(bare), system));
    };
    replaceFirstFound({"F6", "F5", "F4", "F2", "F1"}, "F");
    replaceFirstFound({"L2", "L1", "L3"}, "L");
    return text;
}

TDataEdit::TDataEdit(QWidget *parent) : QLineEdit(parent)
{
    setText(QStringLiteral("0"));
}

QString TDataEdit::FormatValue(long double value) const
{
    return entryText(value, m_hex);
}

void TDataEdit::SetIntegerOnly(bool integerOnly)
{
    m_integerOnly = integerOnly;
    if (integerOnly) {
        SetMaxVal(m_maxVal);
        SetMinVal(m_minVal);
    }
}

void TDataEdit::SetHex(bool hex)
{
    m_hex = hex;
}

long double TDataEdit::Number() const
{
    return Evaluate(text());
}

void TDataEdit::SetNumber(long double value)
{
    setText(FormatValue(std::clamp(value, m_minVal, m_maxVal)));
}

// The current value, or nothing when the text is not a number now.
static bool currentValue(const TDataEdit &edit, long double &value)
{
    try {
        value = edit.Number();
        return true;
    } catch (const EAssignError &) {
        return false;
    }
}

void TDataEdit::SetMaxVal(long double value)
{
    value = std::max(value, m_minVal);
    if (m_integerOnly)
        value = std::clamp<long double>(value, INT_MIN, INT_MAX);
    m_maxVal = value;
    if (long double current = 0; currentValue(*this, current) && current > value)
        SetNumber(value);
}

void TDataEdit::SetMinVal(long double value)
{
    value = std::min(value, m_maxVal);
    if (m_integerOnly)
        value = std::clamp<long double>(value, INT_MIN, INT_MAX);
    m_minVal = value;
    if (long double current = 0; currentValue(*this, current) && current < value)
        SetNumber(value);
}

void TDataEdit::SetCaption(const QString &caption)
{
    m_caption = caption;
    updateLabel();
}

void TDataEdit::SetUnitsString(const QString &code)
{
    m_unitsString = code;
    updateLabel();
}

void TDataEdit::SetUnits(int units)
{
    m_units = std::clamp(units, 1, 3);
    updateLabel();
}

void TDataEdit::SetEditLabel(QLabel *label)
{
    m_label = label;
    if (label)
        label->setBuddy(this);
    updateLabel();
}

QString TDataEdit::LabelText() const
{
    if (m_unitsString.isEmpty())
        return m_caption;
    return m_caption + QStringLiteral(" (") + dataEditUnitText(m_unitsString, m_units) +
           QStringLiteral(")");
}

void TDataEdit::updateLabel()
{
    if (!m_label)
        return;
    m_label->setText(LabelText());
    m_label->setEnabled(isEnabled());
}

bool TDataEdit::Validate()
{
    if (m_validating)
        return false;
    m_validating = true;
    m_lastExitValid = false;
    const EntryCheck check = checkEntry(text(), {m_minVal, m_maxVal, m_integerOnly},
                                        [this](long double limit) { return FormatValue(limit); });
    if (check.shown)
        SetNumber(*check.shown);
    if (!check.accepted()) {
        fail(check.message);
        return false;
    }
    m_lastExitValid = true;
    m_validating = false;
    return true;
}

void TDataEdit::fail(const QString &message)
{
    informUser(this, message);
    m_validating = false;
    if (isVisible())
        setFocus(Qt::OtherFocusReason);
}

// Focus that moves to another window is the business of this field's window: it validates
// the focused field when it is deactivated, so the user gets one message, not two.
bool TDataEdit::focusLeftOwnerWindow() const
{
    const QWidget *next = QApplication::focusWidget();
    return !next || ownerWindow(next) != ownerWindow(this);
}

void TDataEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (m_validating || event->reason() == Qt::PopupFocusReason ||
        event->reason() == Qt::ActiveWindowFocusReason || focusLeftOwnerWindow())
        return;
    Validate();
}

void TDataEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Validate();
        selectAll();
        event->accept();
        return;
    }
    // An operator typed over the selected number extends the expression instead.
    static const QString kOperators = QStringLiteral("+-/*^=%!");
    if (event->text().size() == 1 && kOperators.contains(event->text()) && hasSelectedText() &&
        selectedText() == text())
        end(false);
    QLineEdit::keyPressEvent(event);
}

void TDataEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        updateLabel();
}

} // namespace vorna
