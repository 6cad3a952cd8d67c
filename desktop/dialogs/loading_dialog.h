// Base of the shaft length and design load dialogs: one value and the "Type of Loading"
// group, whose uplift choice enables the reduction factor.
#pragma once

#include "data_dialog.h"

class QGridLayout;
class QRadioButton;

namespace vorna {

class TLoadingDialog : public TDataDialog {
    Q_OBJECT
public:
    QRadioButton *compressionButton() const { return m_compression; }
    QRadioButton *upliftButton() const { return m_uplift; }
    TDataEdit *reductionField() const { return m_reduction; }
    TDataEdit *valueField() const { return m_value; }

protected:
    TLoadingDialog(TProgramData &project, const QString &caption, const QString &valueCaption,
                   const QString &unitCode, QWidget *parent);
    void loadFields() override;
    // Stores the loading type: uplift with its reduction factor, compression with 1.0.
    void storeFields() override;

private:
    QRadioButton *m_compression;
    QRadioButton *m_uplift;
    TDataEdit *m_value;
    TDataEdit *m_reduction;
};

} // namespace vorna
