// What differs between Windows and the other systems: names of files beside the program,
// the default text viewer, the process's numeric locale and the start-up show mode. Every
// #ifdef Q_OS_WIN of the desktop program lives in platform.cpp.
#pragma once

#include <QString>

class QMainWindow;

namespace vorna::platform {

// File name of the engine library beside the program: libvornacalc.so, or vornacalc.dll.
QString engineLibraryFileName();

// The text viewer used until the user chooses another: xdg-open, or the Windows
// directory's notepad.exe.
QString defaultWordProcessor();

// Documents of the Help menu, beside the program.
QString helpContentsFileName();
QString usersManualFileName();
QString technicalManualFileName();

// QApplication sets the C library's locale from the environment on Unix, so printf and
// strtod in the engine, which runs in this process, would read and write "," under a
// comma-decimal locale. Files must always use ".", so numbers go back to the C locale.
// The user's own locale settings are not touched.
void useCNumericLocale();

// Applies the show mode the program was started with (minimized or maximized) where the
// system passes one; called when the main window is first shown.
void applyStartupShowMode(QMainWindow &window);

} // namespace vorna::platform
