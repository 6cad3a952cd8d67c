// What differs between Windows and the other systems: names of files beside the program,
// the default text viewer and the start-up show mode. Every
// #ifdef Q_OS_WIN of the desktop program lives in this folder (also file_sync.cpp).
#pragma once

#include <QString>

class QMainWindow;

namespace vorna::platform {

// File name of the engine library beside the program: libvornacalc.so on Linux.
QString engineLibraryFileName();

// The text viewer used until the user chooses another: xdg-open, or the Windows
// directory's notepad.exe.
QString defaultWordProcessor();

// Filters of the Browse dialog for a text viewer: programs and all files, the filter that
// matches programs on this system first (Windows programs end in .exe or .com, others have
// no such mark).
QString programFileFilters();

// Documents of the Help menu: the user's guide and the technical manual.
QString helpContentsFileName();
QString usersManualFileName();
QString technicalManualFileName();

// Where the package installs the Help documents, reached from the program's folder.
QString installedHelpFolder(const QString &programFolder);

// The Help document fileName: beside the program when it is there, else in the installed
// help folder when it is there, else the name beside the program (which does not exist).
QString helpDocumentPath(const QString &programFolder, const QString &fileName);

// Applies the show mode the program was started with (minimized or maximized) where the
// system passes one; called when the main window is first shown.
void applyStartupShowMode(QMainWindow &window);

} // namespace vorna::platform
