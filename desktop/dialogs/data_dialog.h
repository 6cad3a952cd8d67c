// Base of the project's data dialogs: small child windows that load their fields from the
// project when activated and store them when deactivated or closed. A numeric field that
// fails validation keeps the dialog (deactivation re-shows it, closing is refused), so no
// invalid value reaches the project.
#pragma once

#include "child_window.h"
#include "project_codes.h"

#include <QList>

class QGridLayout;
class QLabel;

namespace vorna {

class TDataEdit;
class TProgramData;

class TDataDialog : public ChildWindow {
    Q_OBJECT
public:
    TDataDialog(TProgramData &project, const QString &caption, QWidget *parent = nullptr);

    // Validates the focused numeric field (then the others), stores every field into the
    // project and marks it modified when a value changed.
    bool commit() override;
    // Sets each numeric field's unit system to the project's and loads the fields.
    void refresh() override;

    TProgramData &project() const { return m_project; }
    // The numeric field whose caption is given, or nullptr.
    TDataEdit *field(const QString &caption) const;
    const QList<TDataEdit *> &fields() const { return m_fields; }

protected:
    // A numeric field with its companion label (column 0) and an optional note (column 2).
    // maximum < 0 means no upper limit. Edits of a field that marksModified mark the
    // project modified at once.
    TDataEdit *addField(QGridLayout *grid, int row, const QString &caption, const QString &unitCode,
                        double maximum, bool marksModified, const QString &note = {},
                        const QString &hint = {});

    virtual void loadFields() = 0;
    virtual void storeFields() = 0;
    // Validation beyond the numeric fields; the title dialog has none at all.
    virtual bool needsValidation() const { return true; }

    // Stores a value and remembers whether it changed.
    void assign(double &target, double value);
    void assign(int &target, int value);
    void assign(LoadingType &target, LoadingType value);
    // The field's value as the project keeps it.
    static double valueOf(const TDataEdit *field);
    void markModified();

    void closeEvent(QCloseEvent *event) override;

private:
    bool validateFields();

    TProgramData &m_project;
    QList<TDataEdit *> m_fields;
    bool m_changed = false;
};

} // namespace vorna
