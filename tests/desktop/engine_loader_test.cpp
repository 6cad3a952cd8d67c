#include "../tables/qt_print.h"
#include "engine_loader.h"
#include "expect_throw_text.h"
#include "project_helpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vorna;

namespace {

const QString kEngine = QStringLiteral(VORNA_ENGINE_LIBRARY);

TEST(DynamicLibrary, StartsUnloaded)
{
    TDynamicLibrary library;
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_TRUE(library.LibraryName().isEmpty());
}

TEST(DynamicLibrary, EntryOfAnUnloadedLibrary)
{
    TDynamicLibrary library;
    EXPECT_THROW_TEXT(library.GetEntry(QStringLiteral("_IVORNA")), EDLLNotOpenError,
                      "Library is not open");
}

TEST(DynamicLibrary, MissingLibrary)
{
    QTemporaryDir dir;
    TDynamicLibrary library;
    library.SetLibraryName(dir.filePath(QStringLiteral("libvornacalc.so")));
    EXPECT_THROW_TEXT(library.Load(), EFileNotFoundError, "Library could not be located");
    EXPECT_FALSE(library.IsLoaded());
}

TEST(DynamicLibrary, BrokenLibrary)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("libvornacalc.so"));
    test::writeFile(name, "this is not a shared library");
    TDynamicLibrary library;
    library.SetLibraryName(name);
    EXPECT_THROW_TEXT(library.Load(), EInitError, "Library failed to properly initialize");
    EXPECT_FALSE(library.IsLoaded());
}

TEST(DynamicLibrary, EveryKindIsADllError)
{
    TDynamicLibrary library;
    library.SetLibraryName(QStringLiteral("/nonexistent/libvornacalc.so"));
    EXPECT_THROW_TEXT(library.Load(), EDLLError, "Library could not be located");
}

TEST(DynamicLibrary, LoadsTheEngineAndFindsItsEntry)
{
    TDynamicLibrary library;
    library.SetLibraryName(kEngine);
    library.Load();
    ASSERT_TRUE(library.IsLoaded());
    library.Load(); // loading again does nothing
    const VornaEntry entry = engineEntry(library);
    ASSERT_NE(entry, nullptr);
    // Any request code but 10 is refused at once and touches no file.
    EXPECT_EQ(entry(9), 1);
    EXPECT_EQ(library.GetEntry(QStringLiteral("NoSuchEntry")), nullptr);
    library.Unload();
    EXPECT_FALSE(library.IsLoaded());
}

TEST(DynamicLibrary, NewNameUnloadsFirst)
{
    TDynamicLibrary library;
    library.SetLibraryName(kEngine);
    library.Load();
    library.SetLibraryName(QStringLiteral("/nonexistent/libvornacalc.so"));
    EXPECT_FALSE(library.IsLoaded());
}

} // namespace
