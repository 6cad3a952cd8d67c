#include "../tables/qt_print.h"
#include "expect_throw_text.h"
#include "project_file.h"
#include "project_helpers.h"
#include "word_reader.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

using namespace vorna;
using namespace vorna::test;

namespace {

// Every soil type once, LRFD design, in the form the program writes: loading and saving
// must give back exactly these bytes.
const char *const kAllSoilTypes = R"(All soil types
1 
2 1 1 1 1 1
2 6 1.5 30 5 1 4000000
9 10 60 2.5 3
1 5 
0.0 120 32 0.0 15 100 200 0.8 0.7 
0.0 121 33 0.0 16 100 200 0.8 0.7 
1 
0.5 0.6
2 10 
6 115 0.0 2000 5 0 0 1 1 
7 116 0.0 2100 6 0 0 1 1 
0.55 0.45
3 15 
9 125 0.0 4000 20 0 0 1 1 
9 126 0.0 4100 21 0 0 1 1 
0 0
4 20 
200000 576000 1 0.01 2.5 0 500000 80 0 0.6 0.5 
210000 576000 1 0.01 2.5 0 510000 85 0 0.6 0.5 
5 25 
130 50 0.3 20000 3 0 0 1 1 
131 60 0.3 21000 3 0 0 1 1 
6 30 
100000 3 4 30 2.5 0 300000 70 0 1 1 
110000 3 4 30 2.5 0 310000 75 0 1 1 
7 35.25 
200000 576000 1 0.01 2.5 0 500000 80 0 1 1 
210000 576000 1 0.01 2.5 0 510000 85 0 1 1 
8 40 
125 30 0.9 0 0 1 1 
126 31 0 0 0 1 1 
9 45 
130 40 0 0 0 1 1 
131 41 1.2345679E-5 0 0 1 1 
)";

class ProjectFile : public testing::Test {
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    TProgramData load(const QString &name, ProjectLayout layout = ProjectLayout::Current)
    {
        messages.clear();
        return CreateFromFile(name, layout, tables, messages);
    }

    TProgramData loadText(const char *text, ProjectLayout layout = ProjectLayout::Current)
    {
        writeFile(path("in.vrd"), crlf(text));
        return load(path("in.vrd"), layout);
    }

    QTemporaryDir dir;
    ProgramTables tables;
    QStringList messages;
};

TEST_F(ProjectFile, EveryExampleRoundTrips)
{
    const QDir examples(QStringLiteral(VORNA_EXAMPLES_DIR));
    const QStringList files = examples.entryList({QStringLiteral("*.vrd")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        TProgramData original = load(examples.filePath(file));
        EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
        const QStringList values = snapshot(original, tables);

        original.fileName = path("first.vrd");
        SaveToFile(original, tables);
        TProgramData reloaded = load(path("first.vrd"));
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(snapshot(reloaded, tables), values);

        reloaded.fileName = path("second.vrd");
        SaveToFile(reloaded, tables);
        EXPECT_EQ(readFile(path("first.vrd")), readFile(path("second.vrd")));
    }
}

TEST_F(ProjectFile, EverySoilTypeReadsAndWritesBack)
{
    TProgramData project = loadText(kAllSoilTypes);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    const TGridTable &layers = tables.SoilLayers();
    ASSERT_EQ(layers.RowCount(), 9);
    EXPECT_EQ(project.designMethod, DesignMethod::Lrfd);
    EXPECT_EQ(project.proposedLength, 60.0);
    EXPECT_EQ(project.designLoad, 0.0);
    // Sand: K values; clay: Nc, cohesion and alpha; weak rock: the interface choice.
    const TGridTable *sand = layers.Column(kLayerDataColumn).AsTable(0);
    EXPECT_EQ(sand->Column(3).AsFloat(1), 0.6);
    EXPECT_EQ(sand->Column(4).AsFloat(1), 0.0);
    EXPECT_EQ(sand->Column(2).AsInteger(1), 16);
    const TGridTable *clay = layers.Column(kLayerDataColumn).AsTable(1);
    EXPECT_EQ(clay->Column(4).AsFloat(0), 6.0);
    EXPECT_EQ(clay->Column(1).AsFloat(1), 2100.0);
    EXPECT_EQ(clay->Column(3).AsFloat(0), 0.55);
    const auto &weak =
        dynamic_cast<const TEnumColumn &>(layers.Column(kLayerDataColumn).AsTable(5)->Column(1));
    EXPECT_EQ(weak.ChoiceText(0), QStringLiteral("Rough Surface w/open joints"));
    EXPECT_EQ(layers.Column(kMaxEndBearingColumn).AsFloat(0), 200.0);
    EXPECT_EQ(layers.Column(kLrfdTipColumn).AsFloat(3), 0.5);

    project.fileName = path("out.vrd");
    SaveToFile(project, tables);
    EXPECT_EQ(QString::fromLatin1(readFile(path("out.vrd"))),
              QString::fromLatin1(crlf(kAllSoilTypes)));
    EXPECT_EQ(project.KLS, 0); // rock layers have no load-settlement curves
}

TEST_F(ProjectFile, SandWithoutKWritesBetaMethod)
{
    TProgramData project = TProgramData::CreateNew(tables);
    TGridTable *sand = tables.SoilLayers().Column(kLayerDataColumn).AsTable(0);
    sand->Column(3).SetFloat(0, 0.4); // K at the top only
    sand->Column(4).SetFloat(0, 0.3);
    sand->Column(4).SetFloat(1, 0.35);
    project.fileName = path("beta.vrd");
    SaveToFile(project, tables);
    const QByteArray text = readFile(path("beta.vrd"));
    EXPECT_TRUE(text.endsWith("2 \r\n0.3 0.35\r\n")) << text.toStdString();
}

TEST_F(ProjectFile, OlderLayout)
{
    struct Case {
        const char *name;
        const char *control;
        ProjectLayout layout;
        int endBearing;
    };
    const Case cases[] = {
        {"four values", "1 1 1 1", ProjectLayout::Older, 1},
        {"five values", "1 1 1 1 0", ProjectLayout::Older, 0},
        {"four values opened as current", "1 1 1 1", ProjectLayout::Current, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray text = QByteArray("Old\n1\n") + c.control +
                                "\n2 6 0 0 5 1 4000000\n1 10 300 2.5 3\n"
                                "2 60\n0 115 0.0 2000 0 150 0\n0 115 0.0 2000 0 150 0\n0 0\n";
        TProgramData project = loadText(text.constData(), c.layout);
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(project.endBearingOption, c.endBearing);
        EXPECT_EQ(project.designMethod, DesignMethod::AllowableStress);
        EXPECT_FALSE(project.currentLayout);
        EXPECT_EQ(project.designLoad, 300.0);
        EXPECT_EQ(project.shaftProperties[kShaftModulus], 4000000.0);
        const TGridTable &layers = tables.SoilLayers();
        EXPECT_EQ(layers.Column(kMaxSideFrictionColumn).AsFloat(0), 150.0);
        EXPECT_EQ(layers.Column(kLrfdSideColumn).AsFloat(0), 1.0);

        project.fileName = path("saved.vrd");
        SaveToFile(project, tables);
        EXPECT_TRUE(project.currentLayout);
        const QByteArray saved = readFile(path("saved.vrd"));
        EXPECT_TRUE(saved.contains(QByteArray("\r\n1 1 1 1 ") + QByteArray::number(c.endBearing) +
                                   " 2\r\n"));
        EXPECT_TRUE(saved.contains("\r\n0 115 0.0 2000 0 150 0 1 1 \r\n"));
    }
}

struct DamagedCase {
    const char *name;
    const char *text;
    QStringList messages;
    int layers;
};

TEST_F(ProjectFile, DamagedFilesLoadWhatTheyCan)
{
    const char *clayLayer = "2 %1 \n0 115 0.0 2000 0 0 0 1 1 \n0 115 0.0 2000 0 0 0 1 1 \n0 0\n";
    QByteArray manyLayers = "Many\n1 \n1 1 1 1 1 2\n2 6 0 0 5 1 4000000\n22 10 300 2.5 3\n";
    for (int i = 1; i <= 22; ++i)
        manyLayers += QString::fromLatin1(clayLayer).arg(i * 5).toLatin1();
    const QByteArray unknown =
        QByteArray("Unknown\n1 \n1 1 1 1 1 2\n2 6 0 0 5 1 4000000\n3 10 300 2.5 3\n") +
        QString::fromLatin1(clayLayer).arg(10).toLatin1() + "12 20 \n" +
        QString::fromLatin1(clayLayer).arg(30).toLatin1();

    const DamagedCase cases[] = {
        {"letter for layer count",
         "Letter\n1 \n1 1 1 1 1 2\n2 6 0 0 5 1 4000000\nx 10 300 2.5 3\n",
         {QStringLiteral(
             "Error on Line 5 Item 1\rAn integer was expected but not found.\r"
             "Expected on line 5: the profile record (number of layers, water table, design "
             "load or depth, two factors of safety).")},
         1},
        {"comma decimal",
         "Comma\n1 \n1 1 1 1 1 2\n2 6 0 0 5 1 4000000\n1 10 300 2,5 3\n",
         {QStringLiteral(
             "Error on Line 5 Item 4\rA floating point number was expected but not found.\r"
             "Expected on line 5: the profile record (number of layers, water table, design "
             "load or depth, two factors of safety).\r"
             "\"2,5\" has a comma between two digits: numbers in the file take \".\" as "
             "decimal separator.")},
         1},
        {"truncated layer",
         "Short\n1 \n1 1 1 1 1 2\n2 6 0 0 5 1 4000000\n2 10 300 2.5 3\n2 60 \n0 115 0.0 2000 0 0 0 "
         "1 1 \n",
         {QStringLiteral(
              "This file either invalid or incomplete.\r"
              "The file ends after line 7; expected: the bottom line of layer 1 (9 values "
              "for soil type 2)."),
          QStringLiteral("Reading stopped in layer 1 of 2.")},
         1},
        {"bad choice number",
         "Choice\n1 \n1 1 1 1 1 2\n2 6 0 0 5 1 4000000\n1 10 300 2.5 3\n6 30 \n"
         "100000 9 4 30 2.5 0 300000 70 0 1 1 \n100000 3 4 30 2.5 0 300000 70 0 1 1 \n",
         {QStringLiteral(
             "Error on Line 7 Item 2\rChoice must be between 1 and 4. The default was kept.")},
         1},
        {"more than twenty layers",
         manyLayers.constData(),
         {QStringLiteral("The file holds 22 layers; only the first 20 were loaded.")},
         20},
        {"unknown soil code",
         unknown.constData(),
         {QStringLiteral("Line 10: layer 2 has the unknown soil type code 12 and was skipped.")},
         2},
    };
    for (const DamagedCase &c : cases) {
        SCOPED_TRACE(c.name);
        TProgramData project = loadText(c.text);
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(tables.SoilLayers().RowCount(), c.layers);
        EXPECT_EQ(project.shaftProperties[kMaxDiameter], 6.0); // records before the fault stay
        EXPECT_FALSE(project.IsModified(tables));
        for (TGridTable *t : tables.All())
            EXPECT_GE(t->RowCount(), t->MinRows());
    }
    EXPECT_EQ(tables.SoilLayers().Column(kBottomDepthColumn).AsFloat(1), 30.0);
}

// The bad input files of the engine's table, as the desktop opens them: where its reader
// stops, the first message is the one in the table and the next says the line and what was
// expected there; files whose values only the engine judges open without a message.
TEST_F(ProjectFile, BadInputFilesSayWhatIsWrong)
{
    const QDir folder(QStringLiteral(VORNA_BAD_INPUT_DIR));
    QFile table(folder.filePath(QStringLiteral("cases.txt")));
    ASSERT_TRUE(table.open(QIODevice::ReadOnly));
    int checked = 0;
    for (const QString &line : QString::fromLatin1(table.readAll()).split(u'\n')) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(QStringLiteral(" | "));
        ASSERT_EQ(fields.size(), 4) << line.toStdString();
        const QString file = fields[0].trimmed();
        const QString expected = fields[3].trimmed();
        SCOPED_TRACE(file.toStdString());
        load(folder.filePath(file));
        ++checked;
        if (expected == u'-') {
            EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
            continue;
        }
        ASSERT_FALSE(messages.isEmpty());
        EXPECT_EQ(messages.front().section(u'\r', 0, 0), expected);
        const QString all = messages.join(u'\n');
        EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("[Ll]ine [0-9]+"))) ||
                    all.contains(QStringLiteral("The file is empty")))
            << all.toStdString();
        if (expected == QStringLiteral("This file either invalid or incomplete.")) {
            EXPECT_TRUE(messages.front().contains(QStringLiteral("expected:")))
                << all.toStdString();
        }
        for (TGridTable *t : tables.All())
            EXPECT_GE(t->RowCount(), t->MinRows());
    }
    EXPECT_GE(checked, 25);
}

// A project written with CR LF, LF or CR alone opens alike.
TEST_F(ProjectFile, EveryLineEndOpensAlike)
{
    const QByteArray original = readFile(QStringLiteral(VORNA_EXAMPLES_DIR "/example.vrd"));
    QByteArray lf = original;
    lf.replace("\r\n", "\n");
    QByteArray cr = lf;
    cr.replace('\n', '\r');
    QList<QStringList> snapshots;
    for (const QByteArray &text : {original, lf, cr}) {
        QFile out(path("ends.vrd"));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(text);
        out.close();
        TProgramData project = load(path("ends.vrd"));
        EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
        snapshots.push_back(snapshot(project, tables));
    }
    EXPECT_EQ(snapshots[1], snapshots[0]);
    EXPECT_EQ(snapshots[2], snapshots[0]);
}

TEST_F(ProjectFile, MissingFileIsAnInputError)
{
    EXPECT_THROW_TEXT(load(path("none.vrd")), EInputError,
                      QStringLiteral("Cannot open \"%1\":\rNo such file or directory")
                          .arg(path("none.vrd"))
                          .toStdString());
}

// The file never depends on the user's decimal separator.
TEST_F(ProjectFile, CommaLocaleWritesAndReadsPoints)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TProgramData project = TProgramData::CreateNew(tables);
    project.FST = 2.25;
    tables.SoilLayers().Column(kBottomDepthColumn).SetFloat(0, 12.5);
    project.fileName = path("comma.vrd");
    SaveToFile(project, tables);
    const QByteArray text = readFile(path("comma.vrd"));
    TProgramData reloaded = load(path("comma.vrd"));
    QLocale::setDefault(saved);

    EXPECT_TRUE(text.contains("\r\n1 0 0 2.25 3\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\r\n1 12.5 \r\n"));
    EXPECT_FALSE(text.contains(','));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(reloaded.FST, 2.25);
    EXPECT_EQ(tables.SoilLayers().Column(kBottomDepthColumn).AsFloat(0), 12.5);
}

TEST_F(ProjectFile, FailedSaveReportsAndKeepsState)
{
    TProgramData project = TProgramData::CreateNew(tables);
    project.modified = true;
    project.fileName = path("no such folder/p.vrd");
    try {
        SaveToFile(project, tables);
        FAIL() << "save succeeded";
    } catch (const EProjectSaveError &e) {
        EXPECT_TRUE(e.message().startsWith(
            QStringLiteral("The project could not be saved to \"%1\":\r").arg(project.fileName)));
    }
    EXPECT_TRUE(project.IsModified(tables));
}

TEST_F(ProjectFile, SaveReplacesWholeFileAndLeavesNoTemporaryFile)
{
    writeFile(path("p.vrd"), QByteArray(5000, 'x'));
    TProgramData project = TProgramData::CreateNew(tables);
    project.fileName = path("p.vrd");
    SaveToFile(project, tables);
    EXPECT_TRUE(readFile(path("p.vrd")).startsWith("New Pile\r\n1 \r\n"));
    EXPECT_FALSE(readFile(path("p.vrd")).contains('x'));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("p.vrd")});
}

// A save whose bytes do not reach the disk (the flush fails, as on a full disk) keeps the
// old file byte for byte, leaves no temporary file and keeps the project modified.
TEST_F(ProjectFile, FailedFlushKeepsTheOldFile)
{
    const QByteArray old = crlf("Old project\n1 \n");
    writeFile(path("p.vrd"), old);
    TProgramData project = TProgramData::CreateNew(tables);
    project.fileName = path("p.vrd");
    project.proposedLength = 20.0;
    project.designLoad = 300.0;
    project.modified = true;
    EXPECT_THROW_TEXT(SaveToFile(project, tables, [](QFileDevice &) { return false; }),
                      EProjectSaveError,
                      QStringLiteral("The project could not be saved to \"%1\":\r"
                                     "The data could not be written to the disk.\r"
                                     "The previous file, if any, is unchanged.")
                          .arg(project.fileName)
                          .toStdString());
    EXPECT_EQ(readFile(path("p.vrd")), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("p.vrd")});
    EXPECT_TRUE(project.IsModified(tables));
    EXPECT_EQ(project.designLoad, 300.0); // nothing of the save happened
}

// A real file system that is full (a small tmpfs; needs the right to mount).
TEST_F(ProjectFile, FullFileSystemKeepsTheOldFile)
{
    const QString mountPoint = path("small");
    QDir().mkpath(mountPoint);
    const QByteArray point = QFile::encodeName(mountPoint);
    if (::mount("tmpfs", point.constData(), "tmpfs", 0, "size=16k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs CAP_SYS_ADMIN): "
                     << std::strerror(errno);
    struct Unmount {
        QByteArray point;
        ~Unmount() { ::umount(point.constData()); }
    } unmount{point};
    const QString file = mountPoint + QStringLiteral("/full.vrd");
    const QByteArray old = crlf("Old project\n1 \n");
    writeFile(file, old);
    {
        QFile filler(mountPoint + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    TProgramData project = TProgramData::CreateNew(tables);
    project.fileName = file;
    project.title = QString(3000, u'T').left(80);
    project.modified = true;
    try {
        SaveToFile(project, tables);
        FAIL() << "saved on a full file system";
    } catch (const EProjectSaveError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("No space left on device")))
            << qPrintable(e.message());
        EXPECT_TRUE(
            e.message().endsWith(QStringLiteral("The previous file, if any, is unchanged.")));
    }
    EXPECT_EQ(readFile(file), old);
    EXPECT_EQ(QDir(mountPoint).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("filler"), QStringLiteral("full.vrd")}));
    EXPECT_TRUE(project.IsModified(tables));
}

// A file that did not read completely is marked, so that saving over it asks first; and the
// project sees a change another program made to its file.
TEST_F(ProjectFile, ReadInPartAndChangedElsewhere)
{
    TProgramData whole = loadText(kAllSoilTypes);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(whole.readInPart);
    EXPECT_FALSE(FileChangedElsewhere(whole));
    TProgramData part = loadText("Short\n1 \n1 1 1 1 1 2\n2 6 0 0 5 1 4000000\n2 10 300 2.5 3\n"
                                 "2 60 \n0 115 0.0 2000 0 0 0 1 1 \n");
    EXPECT_TRUE(part.readInPart);

    writeFile(path("in.vrd"), crlf("Changed by an editor\n1 \n"));
    EXPECT_TRUE(FileChangedElsewhere(part));
    SaveToFile(part, tables);
    EXPECT_FALSE(part.readInPart);
    EXPECT_FALSE(FileChangedElsewhere(part));
    QFile::remove(path("in.vrd"));
    EXPECT_FALSE(FileChangedElsewhere(part)); // nothing there to lose
}

TEST_F(ProjectFile, TitleLineBreaksDoNotShiftRecords)
{
    TProgramData project = TProgramData::CreateNew(tables);
    project.title = QStringLiteral("Pier 7\r\nwest");
    project.fileName = path("t.vrd");
    SaveToFile(project, tables);
    TProgramData reloaded = load(path("t.vrd"));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(reloaded.title, QStringLiteral("Pier 7  west"));
}

} // namespace
