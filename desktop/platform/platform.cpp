#include "platform.h"

#include <QDir>
#include <QFileInfo>
#include <QMainWindow>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace vorna::platform {

QString engineLibraryFileName()
{
    // The build names the file as it makes it: libvornacalc.so, vornacalc.dll, ...
    return QStringLiteral(VORNA_ENGINE_FILE_NAME);
}

QString defaultWordProcessor()
{
#ifdef Q_OS_WIN
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    return QString::fromWCharArray(folder, static_cast<int>(length)) +
           QStringLiteral("\\notepad.exe");
#else
    return QStringLiteral("xdg-open");
#endif
}

QString programFileFilters()
{
    // "*" rather than "*.*" for all files: programs need no extension outside Windows.
#ifdef Q_OS_WIN
    return QStringLiteral("Programs (*.exe *.com);;All Files (*)");
#else
    return QStringLiteral("All Files (*);;Programs (*.exe *.com)");
#endif
}

QString helpContentsFileName()
{
    return QStringLiteral("Vorna_2012.html");
}

QString usersManualFileName()
{
    // The user's guide is one document: Contents and User's Manual both open it.
    return helpContentsFileName();
}

QString technicalManualFileName()
{
    return QStringLiteral("Vorna_2012_Technical_Manual.html");
}

QString installedHelpFolder(const QString &programFolder)
{
    return QDir::cleanPath(programFolder + QStringLiteral("/" VORNA_HELP_FROM_PROGRAM));
}

QString helpDocumentPath(const QString &programFolder, const QString &fileName)
{
    // Beside the program in a build folder; where the package puts the documents otherwise.
    const QString beside = QDir(programFolder).filePath(fileName);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = QDir(installedHelpFolder(programFolder)).filePath(fileName);
    return QFileInfo::exists(installed) ? installed : beside;
}

void applyStartupShowMode(QMainWindow &window)
{
#ifdef Q_OS_WIN
    STARTUPINFOW info{};
    info.cb = sizeof info;
    GetStartupInfoW(&info);
    if (!(info.dwFlags & STARTF_USESHOWWINDOW))
        return;
    switch (info.wShowWindow) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        window.showMinimized();
        break;
    case SW_SHOWMAXIMIZED:
        window.showMaximized();
        break;
    default:
        break;
    }
#else
    Q_UNUSED(window);
#endif
}

} // namespace vorna::platform
