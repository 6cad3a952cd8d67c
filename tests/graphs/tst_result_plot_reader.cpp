// Reading plot data files in the desktop's reading order: files written by the engine's own
// writer, hand-made files for the older layout, two-line rows and number forms, and broken
// files with their messages. QtCore only.
#include "plot_fixtures.h"
#include "result_plot_reader.h"
#include "word_reader.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace vorna;
using namespace vorna::test;

class TstResultPlotReader : public QObject {
    Q_OBJECT

private slots:
    void readsWhatTheEngineWrites();
    void shorterBlocksRepeatTheirLastRow();
    void longerLaterBlockDoesNotDesynchronise();
    void twoLineRowsAndNumberForms();
    void olderLayoutComputesFactoredValues();
    void upliftFactoredBaseIsTheSelfWeight();
    void lastTipBelowLimitReadsAsTinyValue();
    void settlementCurvesInOrder_data();
    void settlementCurvesInOrder();
    void brokenFilesReportTheirError_data();
    void brokenFilesReportTheirError();
    void missingFileCannotBeOpened();
};

void TstResultPlotReader::readsWhatTheEngineWrites()
{
    QTemporaryDir dir;
    PlotFixture f;
    const QString file = writePlotFixture(dir.filePath(QStringLiteral("a.vrp")), f);
    const ResultPlotData data = readResultPlotFile(file, {});
    QCOMPARE(data.diameterCount, 9);
    QCOMPARE(data.pointsPerLine, 62);
    QCOMPARE(data.KLS, 3);
    QCOMPARE(data.diameters.size(), std::size_t(9));
    for (int i = 0; i < 9; ++i) {
        const ResultPlotDiameter &d = data.diameters[static_cast<std::size_t>(i)];
        QCOMPARE(d.rows.size(), std::size_t(62));
        QCOMPARE(d.rows[0], ResultCapacityRow{});
        QCOMPARE(d.rows[1].depth, 1.0); // the depth of the first capacity row
        QCOMPARE(d.rows[1].side, 0.0);
        const std::vector<std::vector<double>> rows = fixtureRows(f, i);
        for (std::size_t j = 0; j < rows.size(); ++j) {
            const ResultCapacityRow &r = d.rows[j + 2];
            // E10.3 keeps three significant digits.
            QVERIFY(std::fabs(r.depth - rows[j][0]) <= 0.0051 * std::fabs(rows[j][0]));
            QVERIFY(std::fabs(r.total - rows[j][3]) <= 0.0051 * std::fabs(rows[j][3]));
            QVERIFY(std::fabs(r.factoredTotal - rows[j][6]) <= 0.0051 * std::fabs(rows[j][6]));
        }
        QCOMPARE(d.averaged.size(), std::size_t(15));
        QCOMPARE(d.upperBound.size(), std::size_t(15));
        QCOMPARE(d.lowerBound.size(), std::size_t(15));
        QVERIFY(d.upperBound[14].topLoad > d.averaged[14].topLoad);
        QVERIFY(d.lowerBound[14].topLoad < d.averaged[14].topLoad);
        QCOMPARE(d.averaged[0].topMovement, 0.01);
        QCOMPARE(d.averaged[14].topMovement, 3.0);
    }
}

void TstResultPlotReader::shorterBlocksRepeatTheirLastRow()
{
    QTemporaryDir dir;
    PlotFixture f;
    f.diameters = 4;
    f.rowsLostPerDiameter = 5;
    const QString file = writePlotFixture(dir.filePath(QStringLiteral("a.vrp")), f);
    const ResultPlotData data = readResultPlotFile(file, {});
    QCOMPARE(data.pointsPerLine, 62);
    const ResultPlotDiameter &d = data.diameters[3]; // 45 rows + 2
    QCOMPARE(d.rows.size(), std::size_t(62));
    QCOMPARE(d.rows[46].depth, 45.0);
    for (std::size_t j = 47; j < 62; ++j)
        QCOMPARE(d.rows[j], d.rows[46]);
    // Its curves are still its own.
    QCOMPARE(d.averaged.size(), std::size_t(15));
    QVERIFY(d.averaged[14].topLoad > 0.0);
}

void TstResultPlotReader::longerLaterBlockDoesNotDesynchronise()
{
    QTemporaryDir dir;
    const QByteArray row = " 0.100E+01 0.1E+01 0.2E+01 0.3E+01 0.4E+01 0.5E+01 0.6E+01";
    QByteArray text = handMadePlotText(2, 3, 0, {row, row, row}, 15);
    text += handMadePlotText(2, 5, 0, {row, row, row, row, row}, 15);
    const ResultPlotData data =
        readResultPlotFile(writeText(dir, QStringLiteral("a.vrp"), text), {});
    QCOMPARE(data.diameters[1].rows.size(), std::size_t(3));
    QCOMPARE(data.diameters[1].averaged[14].topLoad, 15.0);
}

void TstResultPlotReader::twoLineRowsAndNumberForms()
{
    QTemporaryDir dir;
    const QList<QByteArray> oneLine = {"0 0 0 0 0 0 0", "12.5 1 2 3 4 5 6", "13 1 2 3 4 5 6"};
    const QList<QByteArray> twoLines = {
        "   0.0  0.0  0.0  0.0  0.0 0.0  0.0  ", "  0.125E+02\t\t 0.1E+01 0.2E+01 0.3E+01 0.4E+01",
        " 0.5E+01  0.6E+01", " 0.130E+02 0.100E+01 0.200E+01 0.300E+01 0.400E+01",
        " 0.500E+01 0.600E+01"};
    const ResultPlotData a =
        readResultPlotFile(writeText(dir, "a.vrp", handMadePlotText(1, 3, 0, oneLine, 15)), {});
    const ResultPlotData b =
        readResultPlotFile(writeText(dir, "b.vrp", handMadePlotText(1, 3, 0, twoLines, 15)), {});
    QCOMPARE(a.diameters[0].rows, b.diameters[0].rows);
    QCOMPARE(b.diameters[0].rows[1].depth, 12.5);
    QCOMPARE(b.diameters[0].rows[2].factoredTotal, 6.0);
}

void TstResultPlotReader::olderLayoutComputesFactoredValues()
{
    QTemporaryDir dir;
    const QList<QByteArray> rows = {"0 0 0 0 0", "10 0 0 0 0", "10 100 60 160 999"};
    ResultPlotReadOptions older;
    older.currentLayout = false;
    older.FST = 2.0;
    older.FSB = 3.0;
    const ResultPlotData data =
        readResultPlotFile(writeText(dir, "a.vrp", handMadePlotText(1, 3, 0, rows, 15)), older);
    const ResultCapacityRow &r = data.diameters[0].rows[2];
    QCOMPARE(r.total, 160.0);
    QCOMPARE(r.factoredSide, 50.0);
    QCOMPARE(r.factoredBase, 20.0);
    QCOMPARE(r.factoredTotal, 70.0);
    older.uplift = true;
    const ResultPlotData uplift =
        readResultPlotFile(writeText(dir, "b.vrp", handMadePlotText(1, 3, 0, rows, 15)), older);
    QCOMPARE(uplift.diameters[0].rows[2].factoredBase, 60.0);
    QCOMPARE(uplift.diameters[0].rows[2].factoredTotal, 110.0);
}

void TstResultPlotReader::upliftFactoredBaseIsTheSelfWeight()
{
    QTemporaryDir dir;
    PlotFixture f;
    f.uplift = true;
    f.diameters = 2;
    const QString file = writePlotFixture(dir.filePath(QStringLiteral("a.vrp")), f);
    ResultPlotReadOptions options;
    options.uplift = true;
    const ResultPlotData data = readResultPlotFile(file, options);
    for (const ResultCapacityRow &r : data.diameters[1].rows)
        QCOMPARE(r.factoredBase, r.base);
    QVERIFY(data.diameters[1].rows[30].base > 0.0);
}

void TstResultPlotReader::lastTipBelowLimitReadsAsTinyValue()
{
    QTemporaryDir dir;
    const QList<QByteArray> rows = {"0 0 0 0 0 0 0", "1 0 0 0 0 0 0", "1 5 0.00005 5 2 0 2"};
    const ResultPlotData data =
        readResultPlotFile(writeText(dir, "a.vrp", handMadePlotText(1, 3, 0, rows, 15)), {});
    QCOMPARE(data.diameters[0].rows[2].base, 1e-5);
    QCOMPARE(data.diameters[0].rows[1].base, 0.0); // only the last point
    const QList<QByteArray> big = {"0 0 0 0 0 0 0", "1 0 0 0 0 0 0", "1 5 0.0002 5 2 0 2"};
    const ResultPlotData kept =
        readResultPlotFile(writeText(dir, "b.vrp", handMadePlotText(1, 3, 0, big, 15)), {});
    QCOMPARE(kept.diameters[0].rows[2].base, 0.0002);
}

void TstResultPlotReader::settlementCurvesInOrder_data()
{
    QTest::addColumn<int>("kls");
    QTest::addColumn<bool>("bounds");
    QTest::newRow("trend only") << 0 << false;
    QTest::newRow("trend and bounds") << 3 << true;
}

// After the capacity rows come the averaged curve, then the upper and the lower bound when
// the block carries them; rows 16 to 45 of a trend-only block would be the next header.
void TstResultPlotReader::settlementCurvesInOrder()
{
    QFETCH(int, kls);
    QFETCH(bool, bounds);
    QTemporaryDir dir;
    const QList<QByteArray> rows = {"0 0 0 0 0 0 0", "1 0 0 0 0 0 0", "1 5 5 5 2 2 2"};
    const ResultPlotData data = readResultPlotFile(
        writeText(dir, "a.vrp", handMadePlotText(1, 3, kls, rows, bounds ? 45 : 15)), {});
    QCOMPARE(data.KLS, kls);
    const ResultPlotDiameter &d = data.diameters[0];
    QCOMPARE(d.averaged.size(), std::size_t(15));
    QCOMPARE(d.averaged[0], (ResultSettlementPoint{1.0, 0.1}));
    QCOMPARE(d.averaged[14].topLoad, 15.0);
    QCOMPARE(d.upperBound.size(), bounds ? std::size_t(15) : std::size_t(0));
    QCOMPARE(d.lowerBound.size(), bounds ? std::size_t(15) : std::size_t(0));
    if (bounds) {
        QCOMPARE(d.upperBound[0].topLoad, 16.0);
        QCOMPARE(d.lowerBound[14].topLoad, 45.0);
    }
}

void TstResultPlotReader::brokenFilesReportTheirError_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    const QString incomplete = QStringLiteral("This file either invalid or incomplete.");
    const QList<QByteArray> rows = {"0 0 0 0 0 0 0", "1 0 0 0 0 0 0", "1 5 5 5 2 2 2"};
    QTest::newRow("empty") << QByteArray() << incomplete;
    QTest::newRow("fewer blocks than NDIA") << handMadePlotText(2, 3, 0, rows, 15) << incomplete;
    QTest::newRow("curve rows missing") << handMadePlotText(1, 3, 3, rows, 20) << incomplete;
    QTest::newRow("no diameters") << handMadePlotText(0, 3, 0, rows, 15) << incomplete;
    QTest::newRow("absurd row count") << handMadePlotText(1, 2000000000, 0, rows, 15) << incomplete;
    {
        // A whole first block of the most rows, then short blocks that each repeat its last
        // row for as many rows: 21 diameters would hold 5.25 million rows.
        QByteArray text = handMadePlotText(21, 250000, 0, {}, 0);
        text.reserve(250000 * 16);
        for (int i = 0; i < 250000; ++i)
            text += "1 2 3 4 5 6 7\r\n";
        const QByteArray curves = handMadePlotText(0, 0, 0, {}, 15);
        text += curves.mid(curves.indexOf('\n') + 1);
        for (int i = 1; i < 21; ++i)
            text += handMadePlotText(21, 1, 0, {"1 2 3 4 5 6 7"}, 15);
        QTest::newRow("too many rows in all") << text << incomplete;
    }
    QTest::newRow("comma decimal")
        << handMadePlotText(1, 3, 0, {"0 0 0 0 0 0 0", "1 0 0 0 0 0 0", "1 5 5,5 5 2 2 2"}, 15)
        << QStringLiteral(
               "Error on Line 4 Item 3\rA floating point number was expected but not found.");
    QTest::newRow("fraction in the header")
        << QByteArray("1 3.5 0\r\n")
        << QStringLiteral("Error on Line 1 Item 2\rAn integer was expected but not found.");
}

void TstResultPlotReader::brokenFilesReportTheirError()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString file = writeText(dir, QStringLiteral("broken.vrp"), text);
    try {
        readResultPlotFile(file, {});
        QFAIL("no error");
    } catch (const EInputError &e) {
        QCOMPARE(e.message(), message);
    }
}

void TstResultPlotReader::missingFileCannotBeOpened()
{
    QVERIFY_THROWS_EXCEPTION(EInputError,
                             readResultPlotFile(QStringLiteral("/nonexistent/x.vrp"), {}));
}

QTEST_GUILESS_MAIN(TstResultPlotReader)
#include "tst_result_plot_reader.moc"
