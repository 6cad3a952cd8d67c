// Loads the analysis engine library at run time and finds its entry. The desktop loads the
// library afresh for every run and unloads it afterwards, so every run starts from the
// engine's initial state.
#pragma once

#include "errors.h"
#include "vornacalc.h"

#include <QLibrary>
#include <QString>

namespace vorna {

// Base of the library errors; the Run command treats every kind alike.
class EDLLError : public EVornaError {
public:
    using EVornaError::EVornaError;
};

// The library was found but could not be made ready (not a loadable library for this
// system, or its initialisation failed).
class EInitError : public EDLLError {
public:
    EInitError() : EDLLError(QStringLiteral("Library failed to properly initialize")) {}
};

// The library, or one that it needs, does not exist.
class EFileNotFoundError : public EDLLError {
public:
    EFileNotFoundError() : EDLLError(QStringLiteral("Library could not be located")) {}
};

// An entry was asked of a library that is not loaded.
class EDLLNotOpenError : public EDLLError {
public:
    EDLLNotOpenError() : EDLLError(QStringLiteral("Library is not open")) {}
};

class TDynamicLibrary {
public:
    TDynamicLibrary() = default;
    ~TDynamicLibrary() { Unload(); }
    TDynamicLibrary(const TDynamicLibrary &) = delete;
    TDynamicLibrary &operator=(const TDynamicLibrary &) = delete;

    const QString &LibraryName() const { return m_name; }
    // Unloads a loaded library first.
    void SetLibraryName(const QString &name);

    bool IsLoaded() const { return m_library.isLoaded(); }
    // Nothing when loaded already. EFileNotFoundError or EInitError when loading fails.
    void Load();
    // The address of an exported name, or nullptr when the library does not export it.
    // EDLLNotOpenError when no library is loaded.
    QFunctionPointer GetEntry(const QString &name);
    void Unload();

private:
    QString m_name;
    QLibrary m_library;
};

// The engine's C entry of a loaded library, or nullptr when it does not export "_IVORNA".
VornaEntry engineEntry(TDynamicLibrary &library);

} // namespace vorna
