#include "graph_interaction.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace vorna {

void GraphInteraction::Information(QWidget *parent, const QString &text) const
{
    if (information) {
        information(parent, text);
        return;
    }
    QMessageBox::information(parent, QString(), text, QMessageBox::Ok);
}

QString GraphInteraction::SaveFileName(QWidget *parent, const QString &title,
                                       const QString &filters, QString *selectedFilter) const
{
    if (saveFileName)
        return saveFileName(parent, title, filters, selectedFilter);
    QFileDialog dialog(parent, title, QString(), filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave); // asks before overwriting
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    // The default extension follows the file type chosen.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &f) {
        const qsizetype star = f.indexOf(QStringLiteral("*."));
        if (star >= 0)
            dialog.setDefaultSuffix(f.mid(star + 2, f.indexOf(u')', star) - star - 2));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    if (selectedFilter)
        *selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().front();
}

bool GraphInteraction::PrintDialog(QWidget *parent, QPrinter &printer) const
{
    if (printDialog)
        return printDialog(parent, printer);
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool GraphInteraction::PageSetupDialog(QWidget *parent, QPrinter &printer) const
{
    if (pageSetupDialog)
        return pageSetupDialog(parent, printer);
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool GraphInteraction::PrinterInstalled() const
{
    return printerInstalled ? printerInstalled() : !QPrinterInfo::availablePrinterNames().isEmpty();
}

int GraphInteraction::Exec(QDialog &dialog) const
{
    return exec ? exec(dialog) : dialog.exec();
}

} // namespace vorna
