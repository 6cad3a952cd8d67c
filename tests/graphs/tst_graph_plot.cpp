// The graph model: properties and their defaults, line lists and names, unit placeholders,
// the palette and the limit of 20 listed lines.
#include "graph_plot.h"
#include "offscreen_test_main.h"

#include <QtTest>

using namespace vorna;

class TstGraphPlot : public QObject {
    Q_OBJECT

private slots:
    void defaults();
    void lineAndPointCounts();
    void lineNames();
    void unitsClamp();
    void unitPlaceholders_data();
    void unitPlaceholders();
    void axisTexts();
    void palette();
    void moreThanTwentyLinesAreNotIncluded();
};

void TstGraphPlot::defaults()
{
    TGraphPlot g;
    QCOMPARE(g.Caption, QString());
    QCOMPARE(g.CurveName, QStringLiteral("Curve #"));
    QVERIFY(g.XOnTop);
    QVERIFY(g.ShowLegend);
    QVERIFY(!g.ShowLayers);
    QVERIFY(!g.ShowWall);
    QCOMPARE(g.WallLineCount, 0);
    QVERIFY(!g.ShowThree);
    QVERIFY(g.ShowFontWidth);
    QCOMPARE(g.Markers, 1);
    QCOMPARE(g.SizeFont, 10);
    QCOMPARE(g.LegendFont, 11);
    QCOMPARE(g.WidthLine, 1);
    QCOMPARE(g.Units(), 1);
    QCOMPARE(g.Title, QString());
    QCOMPARE(g.LineCount(), 0);
    QCOMPARE(g.PointCount(), 0);
}

void TstGraphPlot::lineAndPointCounts()
{
    TGraphPlot g;
    g.SetLineCount(2);
    QCOMPARE(g.PointCount(), 0);
    g.SetPointCount(5);
    QCOMPARE(g.PointCount(), 5);
    g.Point(1, 4) = {3.0, 4.0};
    // New lines take the point count of line 0 and number position + 1.
    g.SetLineCount(4);
    QCOMPARE(g.Line(3).points.size(), std::size_t(5));
    QCOMPARE(g.Line(2).number, 3);
    QVERIFY(g.Line(3).included);
    QVERIFY(g.Line(3).shown);
    g.SetPointCount(7);
    QCOMPARE(g.Point(1, 4), (TFloatPoint{3.0, 4.0}));
    QCOMPARE(g.Point(1, 6), (TFloatPoint{}));
    g.SetLineCount(-3);
    QCOMPARE(g.LineCount(), 0);
    QCOMPARE(g.PointCount(), 0);
    g.SetLineCount(1);
    g.SetPointCount(-1);
    QCOMPARE(g.PointCount(), 0);
    // The band list is separate.
    g.AddBandEntry(QStringLiteral(" SAND "), 7, 20.0);
    QCOMPARE(g.LineCount(LineList::Band), 1);
    QCOMPARE(g.PointCount(LineList::Band), 1);
    QCOMPARE(g.Point(0, 0, LineList::Band), (TFloatPoint{7.0, 20.0}));
    QCOMPARE(g.LineCount(), 1);
}

void TstGraphPlot::lineNames()
{
    TGraphPlot g;
    g.SetLineCount(4);
    g.LineNames = {QStringLiteral("first"), QStringLiteral("second")};
    g.Line(1).name = QStringLiteral("own");
    QCOMPARE(g.LineName(0), QStringLiteral("first"));
    QCOMPARE(g.LineName(1), QStringLiteral("own"));
    QCOMPARE(g.LineName(2), QStringLiteral("Curve #3"));
    g.CurveName = QStringLiteral("Dia ");
    QCOMPARE(g.LineName(3), QStringLiteral("Dia 4"));
}

void TstGraphPlot::unitsClamp()
{
    TGraphPlot g;
    g.SetUnits(0);
    QCOMPARE(g.Units(), 1);
    g.SetUnits(-7);
    QCOMPARE(g.Units(), 1);
    g.SetUnits(2);
    QCOMPARE(g.Units(), 2);
    g.SetUnits(9);
    QCOMPARE(g.Units(), 3);
}

void TstGraphPlot::unitPlaceholders_data()
{
    QTest::addColumn<QString>("units");
    QTest::addColumn<int>("system");
    QTest::addColumn<QString>("text");
    QTest::newRow("F2 English") << "F2" << 1 << "tons";
    QTest::newRow("F2 SI") << "F2" << 2 << "kN";
    QTest::newRow("F1 English") << "F1" << 1 << "kips";
    QTest::newRow("F English") << "F" << 1 << "lbs";
    QTest::newRow("L2 English") << "L2" << 1 << "ft";
    QTest::newRow("L2 SI") << "L2" << 2 << "m";
    QTest::newRow("L1 SI") << "L1" << 2 << "mm";
    QTest::newRow("L English") << "L" << 1 << "in";
    QTest::newRow("L SI") << "L" << 2 << "m";
    QTest::newRow("stress") << "F/L2^2" << 1 << "lbs/ft^2";
    QTest::newRow("only the first form, all of its occurrences") << "F2 F2 F" << 1 << "tons tons F";
    QTest::newRow("placeholders kept") << "F2/L2" << 3 << "F2/L2";
}

void TstGraphPlot::unitPlaceholders()
{
    QFETCH(QString, units);
    QFETCH(int, system);
    QFETCH(QString, text);
    QCOMPARE(unitPlaceholderText(units, system), text);
}

void TstGraphPlot::axisTexts()
{
    TGraphPlot g;
    g.XCaption = QStringLiteral("Axial Load ");
    g.XUnits = QStringLiteral("F2");
    g.YCaption = QStringLiteral("Settlement");
    g.YUnits = QStringLiteral("L");
    QCOMPARE(g.XAxisText(), QStringLiteral("Axial Load  (tons)"));
    g.SetUnits(2);
    QCOMPARE(g.XAxisText(), QStringLiteral("Axial Load  (kN)"));
    QCOMPARE(g.YAxisText(), QStringLiteral("Settlement (m)"));
    g.YUnits.clear();
    QCOMPARE(g.YAxisText(), QStringLiteral("Settlement"));
    g.XCaption2 = QStringLiteral("Second");
    g.XUnits2 = QStringLiteral("L1");
    QCOMPARE(g.XAxisText(1), QStringLiteral("Second (mm)"));
}

void TstGraphPlot::palette()
{
    QCOMPARE(paletteColor(0), QColor(0, 0, 0));
    QCOMPARE(paletteColor(1), QColor(0, 0, 255));
    QCOMPARE(paletteColor(2), QColor(255, 0, 0));
    QCOMPARE(paletteColor(3), QColor(0, 128, 0));
    QCOMPARE(paletteColor(16), QColor(0, 255, 255));
    QCOMPARE(paletteColor(17), paletteColor(0));
    QCOMPARE(paletteColor(12), QColor(0x80, 0x80, 0x80));
    QCOMPARE(paletteColor(14), QColor(0xC0, 0xC0, 0xC0));
}

void TstGraphPlot::moreThanTwentyLinesAreNotIncluded()
{
    TGraphPlot g;
    g.SetLineCount(57);
    g.ExcludeLinesBeyondLimit();
    QVERIFY(g.Line(19).included);
    QVERIFY(!g.Line(20).included);
    QVERIFY(!g.Line(56).included);
}

VORNA_OFFSCREEN_TEST_MAIN(TstGraphPlot)
#include "tst_graph_plot.moc"
