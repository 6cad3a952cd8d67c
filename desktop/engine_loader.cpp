#include "engine_loader.h"

#include <QFileInfo>

namespace vorna {

namespace {

// The loader's text of a library, or a library it needs, that is not there. Qt passes on
// the system's words (dlerror on Unix, the system message on Windows).
bool isNotFound(const QString &loaderMessage)
{
    return loaderMessage.contains(QLatin1String("No such file"), Qt::CaseInsensitive) ||
           loaderMessage.contains(QLatin1String("cannot find"), Qt::CaseInsensitive) ||
           loaderMessage.contains(QLatin1String("could not be found"), Qt::CaseInsensitive) ||
           loaderMessage.contains(QLatin1String("not found"), Qt::CaseInsensitive);
}

} // namespace

void TDynamicLibrary::SetLibraryName(const QString &name)
{
    Unload();
    m_name = name;
}

void TDynamicLibrary::Load()
{
    if (IsLoaded())
        return;
    if (!QFileInfo::exists(m_name))
        throw EFileNotFoundError();
    m_library.setFileName(m_name);
    if (m_library.load())
        return;
    if (isNotFound(m_library.errorString()))
        throw EFileNotFoundError();
    throw EInitError();
}

QFunctionPointer TDynamicLibrary::GetEntry(const QString &name)
{
    if (!IsLoaded())
        throw EDLLNotOpenError();
    return m_library.resolve(name.toLatin1().constData());
}

void TDynamicLibrary::Unload()
{
    if (m_library.isLoaded())
        m_library.unload();
}

VornaEntry engineEntry(TDynamicLibrary &library)
{
    return reinterpret_cast<VornaEntry>(library.GetEntry(QStringLiteral("_IVORNA")));
}

} // namespace vorna
