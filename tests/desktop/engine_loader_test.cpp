#include "../tables/qt_print.h"
#include "engine_loader.h"
#include "project_helpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vorna;

namespace {

const QString kEngine = QStringLiteral(VORNA_ENGINE_LIBRARY);

template <typename E>
void expectThrowWithMessage(const std::function<void()> &call, const char *message)
{
    try {
        call();
        ADD_FAILURE() << "no exception";
    } catch (const E &e) {
        EXPECT_EQ(e.message(), QString::fromUtf8(message));
    }
}

TEST(DynamicLibrary, StartsUnloaded)
{
    TDynamicLibrary library;
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_TRUE(library.LibraryName().isEmpty());
}

TEST(DynamicLibrary, EntryOfAnUnloadedLibrary)
{
    TDynamicLibrary library;
    expectThrowWithMessage<EDLLNotOpenError>([&] { library.GetEntry(QStringLiteral("_IVORNA")); },
                                             "Library is not open");
}

TEST(DynamicLibrary, MissingLibrary)
{
    QTemporaryDir dir;
    TDynamicLibrary library;
    library.SetLibraryName(dir.filePath(QStringLiteral("libvornacalc.so")));
    expectThrowWithMessage<EFileNotFoundError>([&] { library.Load(); },
                                               "Library could not be located");
    EXPECT_FALSE(library.IsLoaded());
}

TEST(DynamicLibrary, BrokenLibrary)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("libvornacalc.so"));
    test::writeFile(name, "this is not a shared library");
    TDynamicLibrary library;
    library.SetLibraryName(name);
    expectThrowWithMessage<EInitError>([&] { library.Load(); },
                                       "Library failed to properly initialize");
    EXPECT_FALSE(library.IsLoaded());
}

TEST(DynamicLibrary, EveryKindIsADllError)
{
    TDynamicLibrary library;
    library.SetLibraryName(QStringLiteral("/nonexistent/libvornacalc.so"));
    EXPECT_THROW(library.Load(), EDLLError);
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
