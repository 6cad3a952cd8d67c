#include "../tables/qt_print.h"
#include "file_names.h"

#include <gtest/gtest.h>

using namespace vorna;

namespace {

struct NameCase {
    const char *fileName;
    const char *expected;
};

TEST(FileNames, DisplayName)
{
    const NameCase cases[] = {
        {"/home/ana/job.VRD", "Job"}, // the extension in any case
        {"/home/ana/a.b.vrd", "A"},   // everything from the first dot goes
        {"NewVorna.vrd", "NewVorna"},     {"/data/pier 7.vrd", "Pier 7"},
        {"/data/notes.txt", "Notes.txt"}, // another extension stays
        {"/data/bridge.Vrd", "Bridge"},   {"/data/x.vrdx", "X.vrdx"},
    };
    for (const NameCase &c : cases) {
        SCOPED_TRACE(c.fileName);
        EXPECT_EQ(displayName(QString::fromUtf8(c.fileName)), QString::fromUtf8(c.expected));
    }
}

TEST(FileNames, MainWindowCaption)
{
    EXPECT_EQ(mainWindowCaption(QStringLiteral("/p/job.VRD")),
              QStringLiteral("VORNA 2012.7.10 - Job"));
    EXPECT_EQ(mainWindowCaption(QStringLiteral("/p/a.b.vrd")),
              QStringLiteral("VORNA 2012.7.10 - A"));
}

TEST(FileNames, CommandLineArgument)
{
    const NameCase cases[] = {
        {"job", "job.vrd"},
        {"job.vrd", "job.vrd"},
        {"job.VRD", "job.VRD"},
        {"job.txt", "job.txt"},             // any extension is taken as given
        {"../runs/job", "../runs/job.vrd"}, // a dot in the folder does not count
        {"/home/ana/v1.2/pier", "/home/ana/v1.2/pier.vrd"},
    };
    for (const NameCase &c : cases) {
        SCOPED_TRACE(c.fileName);
        EXPECT_EQ(commandLineProjectName(QString::fromUtf8(c.fileName)),
                  QString::fromUtf8(c.expected));
    }
}

TEST(FileNames, WithExtension)
{
    const NameCase cases[] = {
        {"/p/job.vrd", "/p/job.vro"},
        {"/p/a.b.vrd", "/p/a.b.vro"}, // only the last extension is replaced
        {"/p.d/job", "/p.d/job.vro"}, // a dot in the folder is no extension
        {"job", "job.vro"},
    };
    for (const NameCase &c : cases) {
        SCOPED_TRACE(c.fileName);
        EXPECT_EQ(withExtension(QString::fromUtf8(c.fileName), QStringLiteral(".vro")),
                  QString::fromUtf8(c.expected));
    }
}

TEST(FileNames, RecentFileCaption)
{
    const QString here = QStringLiteral("/home/ana/jobs");
    EXPECT_EQ(recentFileCaption(0, QStringLiteral("/home/ana/jobs/pier.vrd"), here),
              QStringLiteral("1 pier.vrd"));
    EXPECT_EQ(recentFileCaption(9, QStringLiteral("/srv/pier.vrd"), here),
              QStringLiteral("10 /srv/pier.vrd"));
    // Another folder that starts with the same letters is not the current one.
    EXPECT_EQ(recentFileCaption(1, QStringLiteral("/home/ana/jobs2/pier.vrd"), here),
              QStringLiteral("2 /home/ana/jobs2/pier.vrd"));
    EXPECT_EQ(recentFileCaption(2, QStringLiteral("/srv/R&D.vrd"), here),
              QStringLiteral("3 /srv/R&&D.vrd"));
}

} // namespace
