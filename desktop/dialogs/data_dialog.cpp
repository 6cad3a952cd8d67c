#include "data_dialog.h"

#include "data_edit.h"
#include "program_data.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace vorna {

TDataDialog::TDataDialog(TProgramData &project, const QString &caption, QWidget *parent)
    : ChildWindow(parent), m_project(project)
{
    setWindowTitle(caption);
}

TDataEdit *TDataDialog::addField(QGridLayout *grid, int row, const QString &caption,
                                 const QString &unitCode, double maximum, bool marksModified,
                                 const QString &note, const QString &hint)
{
    auto *label = new QLabel(this);
    auto *edit = new TDataEdit(this);
    edit->SetCaption(caption);
    edit->SetUnitsString(unitCode);
    edit->SetEditLabel(label);
    if (maximum >= 0)
        edit->SetMaxVal(maximum);
    edit->setToolTip(hint);
    edit->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000000")));
    edit->setAlignment(Qt::AlignRight);
    label->setToolTip(hint);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    if (!note.isEmpty()) {
        auto *noteLabel = new QLabel(note, this);
        grid->addWidget(noteLabel, row, 2);
    }
    if (marksModified)
        connect(edit, &QLineEdit::textEdited, this, &TDataDialog::markModified);
    m_fields.append(edit);
    return edit;
}

TDataEdit *TDataDialog::field(const QString &caption) const
{
    for (TDataEdit *edit : m_fields) {
        if (edit->Caption() == caption)
            return edit;
    }
    return nullptr;
}

void TDataDialog::markModified()
{
    m_project.modified = true;
    emit dataModified();
}

// A field shows a real to 15 significant digits; storing that text back is no change, so
// the stored value keeps its last bits and the project is not marked modified.
void TDataDialog::assign(double &target, double value)
{
    if (std::fabs(target - value) <= 1e-14 * std::max(std::fabs(target), std::fabs(value)))
        return;
    m_changed = true;
    target = value;
}

void TDataDialog::assign(int &target, int value)
{
    if (target != value)
        m_changed = true;
    target = value;
}

void TDataDialog::assign(LoadingType &target, LoadingType value)
{
    if (target != value)
        m_changed = true;
    target = value;
}

double TDataDialog::valueOf(const TDataEdit *field)
{
    return static_cast<double>(field->Number());
}

void TDataDialog::refresh()
{
    for (TDataEdit *edit : m_fields)
        edit->SetUnits(unitCode(m_project.unitSystem));
    loadFields();
}

// The focused field first, as the user left it; the others were checked when they were
// left, but a field filled while a box was up must not slip through either.
bool TDataDialog::validateFields()
{
    auto *focused = qobject_cast<TDataEdit *>(focusWidget());
    if (focused && focused->isEnabled() && !focused->Validate())
        return false;
    for (TDataEdit *edit : m_fields) {
        if (edit != focused && edit->isEnabled() && !edit->Validate())
            return false;
    }
    return true;
}

bool TDataDialog::commit()
{
    if (needsValidation() && !validateFields())
        return false;
    m_changed = false;
    storeFields();
    if (m_changed)
        markModified();
    return true;
}

void TDataDialog::closeEvent(QCloseEvent *event)
{
    if (!commit()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace vorna
