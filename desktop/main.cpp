// vornadesk: the desktop program. The optional argument names a project file;
// `--export-pdf PROJECT.vrd OUT.pdf` writes the project's calculation package without a window.
#include "file_names.h"
#include "main_window.h"
#include "package_export.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>
#include <cstring>

namespace {

// The export shows no window, so it draws on the offscreen platform unless the user chose a
// platform: it then works without a display, and a display that cannot be reached (a lost
// X forwarding) does not stop it.
void chooseOffscreenForExport(int argc, char *argv[])
{
    if (argc < 2 || std::strcmp(argv[1], vorna::kExportPdfOption) != 0)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace

int main(int argc, char *argv[])
{
    chooseOffscreenForExport(argc, argv);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vorna"));
    QApplication::setApplicationName(QLatin1String(vorna::kApplicationTitle));
    QApplication::setApplicationVersion(QLatin1String(vorna::kVersionText));

    const QStringList arguments = QApplication::arguments();
    if (vorna::isExportRequest(arguments)) {
        QTextStream errors(stderr);
        return vorna::exportCalculationPackage(arguments, QCoreApplication::applicationDirPath(),
                                               errors);
    }
    vorna::TMainForm mainForm(arguments.size() > 1 ? arguments.at(1) : QString());
    mainForm.show();
    return app.exec();
}
