// The "Project Title" dialog: one line of text describing the project.
#pragma once

#include "data_dialog.h"

class QLineEdit;

namespace vorna {

class TfrmTitle : public TDataDialog {
    Q_OBJECT
public:
    static constexpr int kMaxTitleLength = 80;

    explicit TfrmTitle(TProgramData &project, QWidget *parent = nullptr);
    QLineEdit *titleEdit() const { return m_title; }

    // Refuses a title with a character the project file cannot hold (it is written in
    // Latin-1): the message names it and the focus goes back to the title.
    bool commit() override;

protected:
    void loadFields() override;
    // The title is stored, and the project marked modified, only when it changed.
    void storeFields() override;
    bool needsValidation() const override { return false; }

private:
    QLineEdit *m_title;
};

} // namespace vorna
