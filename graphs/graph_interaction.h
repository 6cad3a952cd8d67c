// The graph windows' dealings with the user that block: information boxes, the file and
// print dialogs, and running a modal dialog. Each graph carries one of these; the owner of
// the graphs may route them elsewhere (the main window's own message boxes, or a test that
// answers in place of a person). An empty function means the ordinary Qt dialog.
#pragma once

#include <QString>

#include <functional>

class QDialog;
class QPrinter;
class QWidget;

namespace vorna {

struct GraphInteraction {
    // An information box with one OK button.
    std::function<void(QWidget *parent, const QString &text)> information;
    // The save dialog: the chosen file name, or empty when cancelled; selectedFilter
    // receives the file type chosen.
    std::function<QString(QWidget *parent, const QString &title, const QString &filters,
                          QString *selectedFilter)>
        saveFileName;
    // The print dialog: true when the user asks to print.
    std::function<bool(QWidget *parent, QPrinter &printer)> printDialog;
    // The page setup dialog: true when accepted.
    std::function<bool(QWidget *parent, QPrinter &printer)> pageSetupDialog;
    // Runs a modal dialog and returns its result.
    std::function<int(QDialog &dialog)> exec;
    // Whether the system has a printer; without one, printing writes a PDF file.
    std::function<bool()> printerInstalled;

    void Information(QWidget *parent, const QString &text) const;
    QString SaveFileName(QWidget *parent, const QString &title, const QString &filters,
                         QString *selectedFilter) const;
    bool PrintDialog(QWidget *parent, QPrinter &printer) const;
    bool PageSetupDialog(QWidget *parent, QPrinter &printer) const;
    int Exec(QDialog &dialog) const;
    bool PrinterInstalled() const;
};

} // namespace vorna
