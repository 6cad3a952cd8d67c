#include "user_interaction.h"

#include "file_names.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QUrl>

namespace vorna {

namespace {

const QStringList kOpenFilters = {QStringLiteral("VORNA 2012(*.vrd)"),
                                  QStringLiteral("VORNA 6.0(*.vrd)"),
                                  QStringLiteral("All Files(*.*)")};
const QStringList kSaveFilters = {QStringLiteral("VORNA 7.0(*.vrd)"),
                                  QStringLiteral("All File(*.*)")};

} // namespace

QString displayText(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

void DesktopInteraction::Information(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, QLatin1String(kApplicationTitle), displayText(text),
                             QMessageBox::Ok);
}

UserInteraction::SaveAnswer DesktopInteraction::AskSaveChanges(QWidget *parent)
{
    const auto answer = QMessageBox::question(
        parent, QStringLiteral("Confirm"), QStringLiteral("Do you want to save any changes?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        return SaveAnswer::Yes;
    if (answer == QMessageBox::No)
        return SaveAnswer::No;
    return SaveAnswer::Cancel;
}

// Cancel is the default: these questions stand before replacing a file.
UserInteraction::SaveAnswer DesktopInteraction::Ask(QWidget *parent, const QString &text)
{
    const auto answer = QMessageBox::question(
        parent, QStringLiteral("Confirm"), displayText(text),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return SaveAnswer::Yes;
    if (answer == QMessageBox::No)
        return SaveAnswer::No;
    return SaveAnswer::Cancel;
}

UserInteraction::OpenChoice DesktopInteraction::OpenFileName(QWidget *parent)
{
    QFileDialog dialog(parent, QStringLiteral("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(kOpenFilters);
    dialog.setDefaultSuffix(QLatin1String(kProjectExtension));
    OpenChoice choice;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return choice;
    choice.fileName = dialog.selectedFiles().front();
    choice.filterIndex = static_cast<int>(kOpenFilters.indexOf(dialog.selectedNameFilter()));
    return choice;
}

QString DesktopInteraction::SaveFileName(QWidget *parent, const QString &title,
                                         const QString &startName)
{
    QFileDialog dialog(parent, title, startName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(kSaveFilters);
    dialog.setDefaultSuffix(QLatin1String(kProjectExtension));
    dialog.selectFile(startName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

QString DesktopInteraction::SavePdfFileName(QWidget *parent, const QString &title,
                                            const QString &startName)
{
    QFileDialog dialog(parent, title, startName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("PDF document (*.pdf)")});
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(startName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

bool DesktopInteraction::StartProgram(const QString &program, const QStringList &arguments)
{
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

bool DesktopInteraction::OpenDocument(const QString &fileName)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

bool DesktopInteraction::ChoosePrinter(QWidget *parent, QPrinter &printer)
{
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        // No printer: the page goes to a PDF file of the user's naming.
        QString fileName =
            QFileDialog::getSaveFileName(parent, QStringLiteral("Print to PDF"), QString(),
                                         QStringLiteral("PDF document (*.pdf)"));
        if (fileName.isEmpty())
            return false;
        if (QFileInfo(fileName).suffix().isEmpty())
            fileName += QStringLiteral(".pdf");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(fileName);
        return true;
    }
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace vorna
