// TDataEdit: the single-line field of every numeric value in the dialogs. The user may type
// a number or an expression; on leaving the field or on Enter the text is evaluated, checked
// against the limits and rewritten as the formatted number. A companion label shows the
// caption and the unit of the value in the current unit system.
#pragma once

#include <QLineEdit>
#include <QPointer>

#include <limits>

#include <QLabel>

namespace vorna {

class TDataEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDataEdit(QWidget *parent = nullptr);

    static constexpr long double kLargest = std::numeric_limits<long double>::max();

    bool IntegerOnly() const { return m_integerOnly; }
    // True also re-applies the limits, clamped to the 32-bit range.
    void SetIntegerOnly(bool integerOnly);
    bool Hex() const { return m_hex; }
    void SetHex(bool hex);

    long double MaxVal() const { return m_maxVal; }
    // Raised to MinVal when below it; a current value above it is lowered to it.
    void SetMaxVal(long double value);
    long double MinVal() const { return m_minVal; }
    // Lowered to MaxVal when above it; a current value below it is raised to it.
    void SetMinVal(long double value);

    // The value of the current text; EAssignError when the text cannot be evaluated.
    long double Number() const;
    // Clamped into MinVal..MaxVal; the text becomes the formatted value.
    void SetNumber(long double value);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    QString UnitsString() const { return m_unitsString; }
    void SetUnitsString(const QString &code);
    int Units() const { return m_units; }
    // 1 English, 2 SI, 3 the unit code itself; clamped to 1..3.
    void SetUnits(int units);
    QLabel *EditLabel() const { return m_label; }
    // The label focuses this field and is enabled with it.
    void SetEditLabel(QLabel *label);
    // The label's text: the caption, and the unit text in parentheses.
    QString LabelText() const;

    // The exit validation: evaluates, checks and formats the text. False after an error,
    // whose message has been shown; the focus is then back on the field.
    bool Validate();
    bool LastExitValid() const { return m_lastExitValid; }

    // Text of a value as the field shows it.
    QString FormatValue(long double value) const;

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fail(const QString &message);
    void updateLabel();
    bool focusLeftOwnerWindow() const;

    bool m_integerOnly = false;
    bool m_hex = false;
    long double m_maxVal = kLargest;
    long double m_minVal = -kLargest;
    QString m_caption;
    QString m_unitsString;
    int m_units = 1;
    QPointer<QLabel> m_label;
    bool m_lastExitValid = true;
    bool m_validating = false;
};

// The unit text of a field's label: one force symbol and one length symbol of the code
// replaced by their names in the system (1 English, 2 SI); system 3 keeps the code.
QString dataEditUnitText(const QString &code, int units);

} // namespace vorna
