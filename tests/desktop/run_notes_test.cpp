#include "../tables/qt_print.h"
#include "run_notes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vorna;

namespace {

// The error block of a profile check, as the engine frames it in the run-time file.
const char *const kLayerError =
    "\r\n\r\n"
    "     *********************ERROR**********************\r\n"
    "     LAYER 2: THE BOTTOM DEPTH 10 FT IS NOT BELOW THE TOP DEPTH 18 FT.\r\n"
    "     EXPECTED: EVERY LAYER THICKER THAN 0.\r\n"
    "\r\n";

struct NoteCase {
    const char *name;
    const char *text;
    int maxLines;
    const char *expected;
};

TEST(RunNotes, FirstBlock)
{
    const NoteCase cases[] = {
        {"error block", kLayerError, 6,
         "ERROR:\rLAYER 2: THE BOTTOM DEPTH 10 FT IS NOT BELOW THE TOP DEPTH 18 FT.\r"
         "EXPECTED: EVERY LAYER THICKER THAN 0."},
        {"warning before an error: the first one",
         "\n\n     *********************WARNING**********************\n"
         "     PLEASE PROVIDE THE SOIL DEPTH THAT IS TWO-DIAMETER DEEPER\n"
         "     THAN THE TIP OF DRILLED SHAFTS\n\n\n"
         "*********************ERROR**********************\nSECOND\n",
         6,
         "WARNING:\rPLEASE PROVIDE THE SOIL DEPTH THAT IS TWO-DIAMETER DEEPER\r"
         "THAN THE TIP OF DRILLED SHAFTS"},
        {"long block shortened", "***ERROR***\nA\nB\nC\nD\n", 3, "ERROR:\rA\rB\r..."},
        {"block of exactly the limit", "***ERROR***\nA\nB\nC\n", 3, "ERROR:\rA\rB\rC"},
        {"load-settlement lines only", "  16  0.1  0.2\n  16  0.1  0.2\n", 6, ""},
        {"empty frame skipped", "***ERROR***\n\n***WARNING***\nW\n", 6, "WARNING:\rW"},
        {"asterisks without a kind", "**********\nTEXT\n", 6, ""},
        {"a frame that is its own message",
         "\n   *********** NEED ANOTHER SOIL LAYER ************\n\n", 6, "NEED ANOTHER SOIL LAYER"},
        {"empty file", "", 6, ""},
    };
    for (const NoteCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(firstRunNote(QString::fromLatin1(c.text), c.maxLines),
                  QString::fromLatin1(c.expected));
    }
}

TEST(RunNotes, FromFile)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("job.vrr"));
    EXPECT_EQ(firstRunNoteOfFile(name), QString()); // missing
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kLayerError);
    file.close();
    EXPECT_TRUE(firstRunNoteOfFile(name).startsWith(QStringLiteral("ERROR:\rLAYER 2: ")));
}

} // namespace
