#include "../tables/qt_print.h"
#include "app_settings.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vorna;

namespace {

TEST(AppSettings, WritesTheLiteralValueNamesInTheVersionGroup)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    {
        AppSettings settings(file);
        EXPECT_FALSE(settings.Exists());
        QStringList files;
        for (int i = 0; i < 10; ++i)
            files << QStringLiteral("/jobs/p%1.vrd").arg(i + 1);
        settings.Write({QStringLiteral("/usr/bin/kate"), files});
    }
    QSettings raw(file, QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("2012.7.10/Word Processor")).toString(),
              QStringLiteral("/usr/bin/kate"));
    EXPECT_EQ(raw.value(QStringLiteral("2012.7.10/File1")).toString(),
              QStringLiteral("/jobs/p1.vrd"));
    EXPECT_EQ(raw.value(QStringLiteral("2012.7.10/File10")).toString(),
              QStringLiteral("/jobs/p10.vrd"));
    EXPECT_FALSE(raw.contains(QStringLiteral("2012.7.10/File11")));
}

TEST(AppSettings, ReadsBackWhatItWrote)
{
    QTemporaryDir dir;
    AppSettings settings(dir.filePath(QStringLiteral("settings.ini")));
    settings.Write({QStringLiteral("gedit"), {QStringLiteral("/a.vrd")}});
    AppSettings::Values values;
    ASSERT_TRUE(settings.Read(values));
    EXPECT_TRUE(settings.Exists());
    EXPECT_EQ(values.wordProcessor, QStringLiteral("gedit"));
    EXPECT_EQ(settings.WordProcessor(), QStringLiteral("gedit"));
    ASSERT_EQ(values.files.size(), 10);
    EXPECT_EQ(values.files[0], QStringLiteral("/a.vrd"));
    EXPECT_EQ(values.files[1], QString());
}

} // namespace
