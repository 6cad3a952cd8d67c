// vornadesk: the desktop program. The optional argument names a project file.
#include "file_names.h"
#include "main_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vorna"));
    QApplication::setApplicationName(QLatin1String(vorna::kApplicationTitle));
    QApplication::setApplicationVersion(QLatin1String(vorna::kVersionText));

    const QStringList arguments = QApplication::arguments();
    vorna::TMainForm mainForm(arguments.size() > 1 ? arguments.at(1) : QString());
    mainForm.show();
    return app.exec();
}
