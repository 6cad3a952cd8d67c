// Everything the main window asks of the user or of the system's shell: message boxes, the
// save-changes query, the open and save dialogs, starting the text viewer and opening
// documents. The program uses DesktopInteraction; tests put in answers of their own.
#pragma once

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace vorna {

class UserInteraction {
public:
    enum class SaveAnswer { Yes, No, Cancel };

    struct OpenChoice {
        QString fileName;    // empty when the dialog was cancelled
        int filterIndex = 0; // 0 "VORNA 2012", 1 "VORNA 6.0" (the older layout), 2 all files
    };

    virtual ~UserInteraction() = default;

    // An information box with one OK button; "\r" in the text breaks the line.
    virtual void Information(QWidget *parent, const QString &text) = 0;
    // "Do you want to save any changes?" with Yes, No and Cancel.
    virtual SaveAnswer AskSaveChanges(QWidget *parent) = 0;
    // Another question with Yes, No and Cancel; "\r" in the text breaks the line.
    virtual SaveAnswer Ask(QWidget *parent, const QString &text) = 0;
    virtual OpenChoice OpenFileName(QWidget *parent) = 0;
    // The chosen name, or empty when cancelled.
    virtual QString SaveFileName(QWidget *parent, const QString &title,
                                 const QString &startName) = 0;
    // The same for a PDF document; by default the project dialog's answer.
    virtual QString SavePdfFileName(QWidget *parent, const QString &title, const QString &startName)
    {
        return SaveFileName(parent, title, startName);
    }
    // Starts a program with arguments, without a shell and without waiting.
    virtual bool StartProgram(const QString &program, const QStringList &arguments) = 0;
    // Opens a document with the application the system associates with it.
    virtual bool OpenDocument(const QString &fileName) = 0;
    // The print dialog, or without a printer the name of a PDF file to print to; false when
    // cancelled.
    virtual bool ChoosePrinter(QWidget *parent, QPrinter &printer) = 0;
};

class DesktopInteraction : public UserInteraction {
public:
    void Information(QWidget *parent, const QString &text) override;
    SaveAnswer AskSaveChanges(QWidget *parent) override;
    SaveAnswer Ask(QWidget *parent, const QString &text) override;
    OpenChoice OpenFileName(QWidget *parent) override;
    QString SaveFileName(QWidget *parent, const QString &title, const QString &startName) override;
    QString SavePdfFileName(QWidget *parent, const QString &title,
                            const QString &startName) override;
    bool StartProgram(const QString &program, const QStringList &arguments) override;
    bool OpenDocument(const QString &fileName) override;
    bool ChoosePrinter(QWidget *parent, QPrinter &printer) override;
};

// Message text with the engine-era "\r" line breaks made into line ends for display.
QString displayText(const QString &text);

} // namespace vorna
