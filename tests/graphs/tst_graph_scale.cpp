// The arithmetic of the graph window: autoscale, ticks and their labels, the layout of the
// plot area, the mapping between data and pixels, and the zoom limits. QtCore only.
#include "graph_scale.h"

#include <QtTest>

#include <cmath>

using namespace vorna;

class TstGraphScale : public QObject {
    Q_OBJECT

private slots:
    void roundingUnits_data();
    void roundingUnits();
    void autoscaleAllPointsAtZero();
    void autoscaleIncludesZeroAndRoundsOutward();
    void autoscaleFailsWithoutUnit();
    void tickStepRule_data();
    void tickStepRule();
    void ticksMajorEveryFifthFromZero();
    void tickLabels();
    void layoutFormulas();
    void layoutTitleBandAndThree();
    void layoutTooSmall();
    void mappingRoundTrip();
    void mappingYGrowsUpWithoutXOnTop();
    void rubberBandZoomLimit();
    void rubberBandZoomOrdersCorners();
    void zoomOutNeverExceedsFullRange();
};

void TstGraphScale::roundingUnits_data()
{
    QTest::addColumn<double>("span");
    QTest::addColumn<double>("unit");
    // Below a mantissa of 3 the unit drops a decade: 250 and 25 (both 2.5) give 10 and 1.
    QTest::newRow("250 (mantissa 2.5 below 3)") << 250.0 << 10.0;
    QTest::newRow("25 (mantissa 2.5 below 3)") << 25.0 << 1.0;
    QTest::newRow("30") << 30.0 << 10.0;
    QTest::newRow("2500") << 2500.0 << 100.0;
    QTest::newRow("543") << 543.0 << 100.0;
    QTest::newRow("0.02") << 0.02 << 0.001;
    QTest::newRow("600") << 600.0 << 100.0;
    QTest::newRow("1") << 1.0 << 0.1;
    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("infinite") << qInf() << 0.0;
}

void TstGraphScale::roundingUnits()
{
    QFETCH(double, span);
    QFETCH(double, unit);
    QCOMPARE(roundingUnit(span), unit);
}

void TstGraphScale::autoscaleAllPointsAtZero()
{
    std::vector<TLine> lines(1);
    lines[0].points = {{0.0, 1.0}, {0.0, 7.0}};
    const std::optional<DataRange> r = autoscale(lines);
    QVERIFY(r.has_value());
    QVERIFY(std::fabs(r->x.min + 0.01) < 1e-12);
    QVERIFY(std::fabs(r->x.max - 0.01) < 1e-12);
    QCOMPARE(r->y.min, 0.0);
    QCOMPARE(r->y.max, 7.0); // span 7 rounds to units of 1
}

void TstGraphScale::autoscaleIncludesZeroAndRoundsOutward()
{
    std::vector<TLine> lines(2);
    lines[0].points = {{12.0, 3.0}, {523.0, 61.0}};
    lines[1].points = {{-20.0, 5.0}};
    lines[1].shown = false; // hidden lines count too
    const std::optional<DataRange> r = autoscale(lines);
    QVERIFY(r.has_value());
    // x span 543: unit 100; y span 61: unit 10.
    QCOMPARE(r->x.min, -100.0);
    QCOMPARE(r->x.max, 600.0);
    QCOMPARE(r->y.min, 0.0);
    QCOMPARE(r->y.max, 70.0);
    // A span of 25 rounds to 1.
    std::vector<TLine> small(1);
    small[0].points = {{25.0, 2.4}};
    const std::optional<DataRange> s = autoscale(small);
    QCOMPARE(s->x.max, 25.0);
    QVERIFY(std::fabs(s->y.max - 2.4) < 1e-12); // span 2.4: unit 0.1
}

void TstGraphScale::autoscaleFailsWithoutUnit()
{
    std::vector<TLine> lines(1);
    lines[0].points = {{qInf(), 1.0}};
    QVERIFY(!autoscale(lines).has_value());
}

void TstGraphScale::tickStepRule_data()
{
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<int>("slotCount");
    QTest::addColumn<double>("step");
    QTest::newRow("raw 120: k 1") << 0.0 << 600.0 << 5 << 100.0;
    QTest::newRow("raw 20: k 2") << 0.0 << 60.0 << 3 << 20.0;
    QTest::newRow("raw 0.35: k 3") << 0.0 << 3.5 << 10 << 0.3;
    QTest::newRow("raw 9.9: k 9") << 0.0 << 99.0 << 10 << 9.0;
    QTest::newRow("no slot") << 0.0 << 10.0 << 0 << 0.0;
}

void TstGraphScale::tickStepRule()
{
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(int, slotCount);
    QFETCH(double, step);
    QVERIFY(std::fabs(tickStep({min, max}, slotCount) - step) < 1e-12);
}

void TstGraphScale::ticksMajorEveryFifthFromZero()
{
    // Step 20 over -10..60: minor ticks every 4, majors at multiples of 20.
    const std::vector<Tick> ticks = axisTicks({-10.0, 60.0}, 3);
    QVERIFY(!ticks.empty());
    QCOMPARE(ticks.front().value, -8.0);
    QCOMPARE(ticks.back().value, 60.0);
    QCOMPARE(ticks.size(), std::size_t(18));
    for (const Tick &t : ticks) {
        const bool multipleOf20 = std::fabs(std::remainder(t.value, 20.0)) < 1e-9;
        QCOMPARE(t.major, multipleOf20);
    }
    QVERIFY(axisTicks({0.0, 10.0}, 0).empty());
}

void TstGraphScale::tickLabels()
{
    QCOMPARE(tickLabel(0.0, 10.0), QStringLiteral("0"));
    QCOMPARE(tickLabel(1e-17, 0.1), QStringLiteral("0"));
    QCOMPARE(tickLabel(0.30000000000000004, 0.1), QStringLiteral("0.3"));
    QCOMPARE(tickLabel(123.456, 100.0), QStringLiteral("123.5"));
    QCOMPARE(tickLabel(2500.0, 500.0), QStringLiteral("2500"));
    QCOMPARE(tickLabel(12500.0, 2500.0), QStringLiteral("12500"));
    QCOMPARE(tickLabel(-0.005, 0.001), QStringLiteral("-0.005"));
}

void TstGraphScale::layoutFormulas()
{
    LayoutInput in;
    in.width = 800;
    in.height = 600;
    PlotLayout l = computeLayout(in);
    QVERIFY(!l.tooSmall);
    QCOMPARE(l.H, 14.0);
    // left = 2H + dx/8 + H/8 = 28 + 12 + 1.75; right = 800 - 24 - 7.
    QCOMPARE(l.plot, (PlotRect{42, 42, 769, 569}));
    in.xOnTop = false;
    l = computeLayout(in);
    // top = H/2 + dy/4 = 31; bottom = 600 - 28 - 12 - 1.75.
    QCOMPARE(l.plot, (PlotRect{42, 31, 769, 558}));
    in.sizeFont = 20;
    l = computeLayout(in);
    QCOMPARE(l.H, 28.0);
    QCOMPARE(l.plot.left, 72); // 56 + 12 + 3.5 = 71.5
}

void TstGraphScale::layoutTitleBandAndThree()
{
    LayoutInput in;
    in.width = 800;
    in.height = 600;
    in.hasTitle = true;
    PlotLayout l = computeLayout(in);
    QCOMPARE(l.plot.top, 58); // 41.75 + 1.75 + 14
    in.titleAtTop = false;
    l = computeLayout(in);
    QCOMPARE(l.plot.bottom, 555); // 569 - 14
    in.hasTitle = false;
    in.showLayers = true;
    l = computeLayout(in);
    QVERIFY(l.hasBand);
    QCOMPARE(l.plot.right, 673); // one inch left
    QCOMPARE(l.band.left, 692);  // 769 - 0.8 in
    QCOMPARE(l.band.right, 769);
    QCOMPARE(l.band.top, l.plot.top);
    QCOMPARE(l.band.bottom, l.plot.bottom);
    in.band = BandPlacement::Saved;
    l = computeLayout(in);
    QCOMPARE(l.plot.right, 721); // half an inch left
    QCOMPARE(l.band.left, 740);  // 769 - 0.3 in
    in.showLayers = false;
    in.showThree = true;
    l = computeLayout(in);
    // Width 727 less 4H + dx/2 = 104, shared by three.
    const int width = l.graphs[0].Width();
    QVERIFY(std::abs(width - 208) <= 1);
    QCOMPARE(l.graphs[0].left, l.plot.left);
    QVERIFY(std::abs(l.graphs[2].right - l.plot.right) <= 1);
    QVERIFY(std::abs(l.graphs[1].left - l.graphs[0].right - 52) <= 1);
}

void TstGraphScale::layoutTooSmall()
{
    LayoutInput in;
    in.width = 95;
    in.height = 400;
    QVERIFY(computeLayout(in).tooSmall);
    in.width = 400;
    in.height = 90;
    QVERIFY(computeLayout(in).tooSmall);
    in.height = 96;
    QVERIFY(!computeLayout(in).tooSmall);
}

void TstGraphScale::mappingRoundTrip()
{
    const PlotMapping map{{100, 50, 600, 450}, {0.0, 500.0}, {0.0, 40.0}, true};
    QCOMPARE(map.ToScreen(0.0, 0.0), QPoint(100, 50));
    QCOMPARE(map.ToScreen(500.0, 40.0), QPoint(600, 450));
    QCOMPARE(map.ToScreen(250.0, 10.0), QPoint(350, 150));
    const QPointF back = map.ToData(QPoint(350, 150));
    QCOMPARE(back.x(), 250.0);
    QCOMPARE(back.y(), 10.0);
    QCOMPARE(map.ClampToArea(QPoint(0, 1000)), QPoint(100, 450));
}

void TstGraphScale::mappingYGrowsUpWithoutXOnTop()
{
    const PlotMapping map{{0, 0, 100, 100}, {0.0, 1.0}, {0.0, 1.0}, false};
    QCOMPARE(map.ToScreen(0.0, 0.0), QPoint(0, 100));
    QCOMPARE(map.ToScreen(1.0, 1.0), QPoint(100, 0));
    QCOMPARE(map.ToData(QPoint(0, 25)).y(), 0.75);
}

void TstGraphScale::rubberBandZoomLimit()
{
    const DataRange full{{0.0, 600.0}, {0.0, 60.0}};
    // A tiny band in the middle widens to 1/20 of the full range about its centre.
    DataRange z = rubberBandZoom(full, {300.0, 30.0}, {301.0, 30.5});
    QCOMPARE(z.x.Span(), 30.0);
    QCOMPARE(z.x.Centre(), 300.5);
    QVERIFY(std::fabs(z.y.Span() - 3.0) < 1e-12);
    // At the edge it is shifted back inside the full range.
    z = rubberBandZoom(full, {599.0, 0.0}, {600.0, 0.5});
    QCOMPARE(z.x, (AxisRange{570.0, 600.0}));
    QCOMPARE(z.y, (AxisRange{0.0, 3.0}));
    // A band wider than 1/20 is kept.
    z = rubberBandZoom(full, {100.0, 10.0}, {400.0, 40.0});
    QCOMPARE(z.x, (AxisRange{100.0, 400.0}));
}

void TstGraphScale::rubberBandZoomOrdersCorners()
{
    const DataRange full{{0.0, 100.0}, {0.0, 100.0}};
    const DataRange z = rubberBandZoom(full, {80.0, 90.0}, {20.0, 10.0});
    QCOMPARE(z.x, (AxisRange{20.0, 80.0}));
    QCOMPARE(z.y, (AxisRange{10.0, 90.0}));
}

void TstGraphScale::zoomOutNeverExceedsFullRange()
{
    const AxisRange full{0.0, 600.0};
    // Half-width becomes the current width: 30 wide about 300 gives 270..330.
    AxisRange r = zoomOutAxis({285.0, 315.0}, full, 300.0);
    QCOMPARE(r, (AxisRange{270.0, 330.0}));
    // Near the edge the centre moves inside.
    r = zoomOutAxis({0.0, 30.0}, full, 10.0);
    QCOMPARE(r, (AxisRange{0.0, 60.0}));
    // Repeated zoom-outs reach the full range and stay there.
    for (int i = 0; i < 10; ++i)
        r = zoomOutAxis(r, full, 555.0);
    QCOMPARE(r, full);
}

QTEST_GUILESS_MAIN(TstGraphScale)
#include "tst_graph_scale.moc"
