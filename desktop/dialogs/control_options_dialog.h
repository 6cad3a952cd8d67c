// The "Control Options" dialog: the external text editor, the output depth increment and
// how end bearing in sand grows with depth.
#pragma once

#include "data_dialog.h"

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vorna {

class TfrmControlOptions : public TDataDialog {
    Q_OBJECT
public:
    static constexpr const char *kModificationToolTip =
        "This option has no effect on the analysis.";

    // Chooses a program file starting from the current text; empty when cancelled.
    using FileChooser = std::function<QString(QWidget *parent, const QString &current)>;

    // wordProcessor: the main window's text editor setting, edited in place.
    TfrmControlOptions(TProgramData &project, QString &wordProcessor, QWidget *parent = nullptr);

    QLineEdit *editorField() const { return m_editor; }
    QPushButton *browseButton() const { return m_browse; }
    QRadioButton *interpolateButton() const { return m_interpolate; }
    QRadioButton *anyDepthButton() const { return m_anyDepth; }
    QCheckBox *modificationBox() const { return m_modification; }
    // Replaces the file dialog of Browse (tests).
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

protected:
    void loadFields() override;
    void storeFields() override;

private:
    void browse();

    QString &m_wordProcessor;
    QLineEdit *m_editor;
    QPushButton *m_browse;
    QRadioButton *m_interpolate;
    QRadioButton *m_anyDepth;
    QCheckBox *m_modification;
    FileChooser m_chooser;
};

} // namespace vorna
