// The built-in viewer of the engine's text files (report, run-time notes, project file):
// read-only, in a fixed-pitch font so that the report's columns line up, with Find and
// Print. The main window falls back on it when no text editor is set or the one set
// cannot be started.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;

namespace vorna {

class UserInteraction;

class TTextViewer : public QWidget {
    Q_OBJECT
public:
    // Shows the file; note, when not empty, stands above the text (why this viewer is used).
    TTextViewer(UserInteraction &interaction, QWidget *parent = nullptr);

    // Reads the file afresh; false (and an empty view) when it cannot be read.
    bool Load(const QString &fileName, const QString &note = {});
    const QString &FileName() const { return m_fileName; }
    QPlainTextEdit *Text() const { return m_text; }
    QLineEdit *FindField() const { return m_find; }
    QLabel *NoteLabel() const { return m_note; }

    // Finds the find field's text after the cursor, from the top again at the end; false
    // when it is nowhere.
    bool FindNext();
    void Print(QPrinter &printer);
    void PrintClick();

private:
    UserInteraction &m_interaction;
    QString m_fileName;
    QLabel *m_note;
    QPlainTextEdit *m_text;
    QLineEdit *m_find;
};

} // namespace vorna
