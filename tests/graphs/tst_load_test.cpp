// Reading a measured load-settlement curve from CSV: good files in both unit systems and with
// units from the header or the dialog, bad files with the line their message names, the kept
// NAME.loadtest.csv round trip, and the load at a settlement. QtCore only.
#include "load_test.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vorna;

Q_DECLARE_METATYPE(vorna::LoadTestUnits)

class TstLoadTest : public QObject {
    Q_OBJECT

private slots:
    void goodFiles_data();
    void goodFiles();
    void badFiles_data();
    void badFiles();
    void tooManyPoints();
    void keptFileRoundTrip();
    void loadAtSettlement_data();
    void loadAtSettlement();
};

void TstLoadTest::goodFiles_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<LoadTestUnits>("units");
    QTest::addColumn<int>("unitSystem");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("lastLoad");       // project units
    QTest::addColumn<double>("lastSettlement"); // project units

    QTest::newRow("tons and in into English")
        << QByteArray("head load (tons),head settlement (in)\r\n0,0\r\n100,0.25\r\n200,0.75\r\n")
        << LoadTestUnits{} << 1 << 3 << 200.0 << 0.75;
    // 1 kN is 1/8.896443 tons; 25.4 mm is 1 in.
    QTest::newRow("kN and mm into English")
        << QByteArray("Load [kN];Settlement [mm]\n889.6443230521;25.4\n") << LoadTestUnits{} << 1
        << 1 << 100.0 << 1.0;
    QTest::newRow("kips and in into SI, columns swapped")
        << QByteArray("settlement (in)\tload (kips)\n1\t1000\n") << LoadTestUnits{} << 2 << 1
        << 4448.2216152605 << 0.0254;
    QTest::newRow("units chosen, header without units")
        << QByteArray("load,movement\n500,10\n") << LoadTestUnits{LoadUnit::KN, SettlementUnit::Mm}
        << 2 << 1 << 500.0 << 0.01;
    QTest::newRow("chosen units override the header")
        << QByteArray("load (tons),settlement (in)\n2,1\n")
        << LoadTestUnits{LoadUnit::MN, SettlementUnit::M} << 2 << 1 << 2000.0 << 1.0;
    QTest::newRow("BOM, quotes, blank lines, extra column, equal settlements")
        << QByteArray("\xEF\xBB\xBF\n\"time\",\"head load (lb)\",\"displacement (ft)\"\n"
                      "0,\"2000\",\"0\"\n\n5,4000,0.5\n10,4100,0.5\n")
        << LoadTestUnits{} << 1 << 3 << 2.05 << 6.0;
}

void TstLoadTest::goodFiles()
{
    QFETCH(QByteArray, csv);
    QFETCH(LoadTestUnits, units);
    QFETCH(int, unitSystem);
    QFETCH(int, count);
    QFETCH(double, lastLoad);
    QFETCH(double, lastSettlement);
    const LoadTestCurve curve = readLoadTestCsv(csv, units, unitSystem);
    QCOMPARE(static_cast<int>(curve.points.size()), count);
    QVERIFY(qAbs(curve.points.back().x - lastLoad) < 1e-9 * qMax(1.0, lastLoad));
    QVERIFY(qAbs(curve.points.back().y - lastSettlement) < 1e-12 * qMax(1.0, lastSettlement));
}

void TstLoadTest::badFiles_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<LoadTestUnits>("units");
    QTest::addColumn<QString>("message");

    const LoadTestUnits none{};
    QTest::newRow("empty") << QByteArray("\n  \n") << none
                           << QStringLiteral("Line 1: the file is empty.");
    QTest::newRow("no load column")
        << QByteArray("force (kN),settlement (mm)\n1,2\n") << none
        << QStringLiteral("Line 1: the header names no column of loads (e.g. \"head load (kN)\").");
    QTest::newRow("no settlement column")
        << QByteArray("\nload (kN),time (s)\n1,2\n") << none
        << QStringLiteral("Line 2: the header names no column of settlements (e.g. \"head "
                          "settlement (mm)\").");
    QTest::newRow("no load unit")
        << QByteArray("load,settlement (mm)\n1,2\n") << none
        << QStringLiteral("Line 1: the unit of the loads is neither named in the header (e.g. "
                          "\"head load (kN)\") nor chosen.");
    QTest::newRow("unknown settlement unit")
        << QByteArray("load (kN),settlement (furlongs)\n1,2\n") << none
        << QStringLiteral("Line 1: the settlement unit \"furlongs\" is not known; use in, ft, mm, "
                          "cm or m.");
    QTest::newRow("text for a number")
        << QByteArray("load (kN),settlement (mm)\n0,0\n10,abc\n") << none
        << QStringLiteral("Line 3: \"abc\" is not a number (the settlement).");
    QTest::newRow("comma decimal")
        << QByteArray("load (kN);settlement (mm)\n10,5;1\n") << none
        << QStringLiteral("Line 2: \"10,5\" is not a number (the load).");
    QTest::newRow("not finite") << QByteArray("load (kN),settlement (mm)\ninf,1\n") << none
                                << QStringLiteral("Line 2: \"inf\" is not a number (the load).");
    QTest::newRow("missing value") << QByteArray("load (kN),settlement (mm)\n0,0\n\n10\n") << none
                                   << QStringLiteral("Line 4: 1 value(s) where 2 are needed.");
    QTest::newRow("negative settlement")
        << QByteArray("load (kN),settlement (mm)\n10,-0.5\n") << none
        << QStringLiteral("Line 2: the settlement -0.5 is negative.");
    QTest::newRow("negative load") << QByteArray("load (kN),settlement (mm)\n-10,0.5\n") << none
                                   << QStringLiteral("Line 2: the load -10 is negative.");
    QTest::newRow("unsorted settlements")
        << QByteArray("load (kN),settlement (mm)\n10,1\n\n20,3\n30,2\n") << none
        << QStringLiteral("Line 5: the settlement 2 is smaller than the one on line 4; "
                          "settlements must not decrease.");
    QTest::newRow("header only") << QByteArray("load (kN),settlement (mm)\n\n") << none
                                 << QStringLiteral("Line 1: no measured points follow the header.");
}

void TstLoadTest::badFiles()
{
    QFETCH(QByteArray, csv);
    QFETCH(LoadTestUnits, units);
    QFETCH(QString, message);
    try {
        readLoadTestCsv(csv, units, 1);
        QFAIL("read without error");
    } catch (const ELoadTestError &e) {
        QCOMPARE(e.message(), message);
    }
}

void TstLoadTest::tooManyPoints()
{
    QByteArray csv = "load (kN),settlement (mm)\n";
    for (int i = 0; i < kMaxLoadTestPoints; ++i)
        csv += QByteArray::number(i) + ',' + QByteArray::number(i) + '\n';
    QCOMPARE(static_cast<int>(readLoadTestCsv(csv, {}, 2).points.size()), kMaxLoadTestPoints);
    csv += "1,100000\n";
    try {
        readLoadTestCsv(csv, {}, 2);
        QFAIL("read without error");
    } catch (const ELoadTestError &e) {
        QCOMPARE(e.message(), QStringLiteral("Line 10002: more than 10000 points; a load test may "
                                             "have at most 10000."));
    }
}

void TstLoadTest::keptFileRoundTrip()
{
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("pier 7.vrd"));
    const QString kept = loadTestFileName(project);
    QCOMPARE(QFileInfo(kept).fileName(), QStringLiteral("pier 7.loadtest.csv"));
    const LoadTestCurve curve =
        readLoadTestCsv("load (kN),settlement (mm)\n0,0\n1234.5,3.25\n2000,12.5\n", {}, 1);
    for (int system : {1, 2}) {
        writeLoadTestFile(kept, curve, system);
        // What is kept reads back as it was written, in the units its header names.
        const LoadTestCurve back = readLoadTestFile(kept, {}, system);
        QCOMPARE(back.points.size(), curve.points.size());
        for (std::size_t i = 0; i < curve.points.size(); ++i) {
            QVERIFY(qAbs(back.points[i].x - curve.points[i].x) < 1e-9 * (1 + curve.points[i].x));
            QVERIFY(qAbs(back.points[i].y - curve.points[i].y) < 1e-9 * (1 + curve.points[i].y));
        }
    }
    try {
        writeLoadTestFile(dir.filePath(QStringLiteral("no such folder/a.loadtest.csv")), curve, 1);
        QFAIL("written without error");
    } catch (const ELoadTestError &e) {
        QVERIFY(e.message().startsWith(QStringLiteral("The load test could not be saved")));
    }
}

void TstLoadTest::loadAtSettlement_data()
{
    QTest::addColumn<double>("settlement");
    QTest::addColumn<double>("load"); // negative: not reached
    // Points (100, 0.1), (200, 0.3), (300, 0.9): x load, y settlement.
    QTest::newRow("first stretch, from the unloaded head") << 0.05 << 50.0;
    QTest::newRow("between two points") << 0.6 << 250.0; // 200 + 0.3 / 0.6 * 100
    QTest::newRow("at a point") << 0.3 << 200.0;
    QTest::newRow("at the last point") << 0.9 << 300.0;
    QTest::newRow("beyond the last point") << 0.95 << -1.0;
}

void TstLoadTest::loadAtSettlement()
{
    QFETCH(double, settlement);
    QFETCH(double, load);
    const std::vector<TFloatPoint> curve = {{100, 0.1}, {200, 0.3}, {300, 0.9}};
    const std::optional<double> found = vorna::loadAtSettlement(curve, settlement);
    if (load < 0) {
        QVERIFY(!found);
        return;
    }
    QVERIFY(found);
    QVERIFY(qAbs(*found - load) < 1e-9);
    QCOMPARE(nominalSettlement(3.0, 1), 1.8);
    QCOMPARE(nominalSettlement(1.2, 2), 0.06);
}

QTEST_GUILESS_MAIN(TstLoadTest)
#include "tst_load_test.moc"
