// Cost of painting the largest realistic graph offscreen: 57 diameter lines of 300 points
// each (the widest diameter series at 0.5 ft steps, 300 rows of capacity versus depth) with
// the soil-layer band shown. One paint must stay well under 16 ms so that zooming and
// resizing feel instant.
#include "graph_draw.h"
#include "graph_output.h"
#include "hatch_patterns.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace vorna;

constexpr int kLines = 57;
constexpr int kPoints = 300;

// Capacity-versus-depth curves: resistance growing with depth and diameter, with a jump at
// each layer boundary, and a band of ten layers using every kind of fill.
void buildLargestGraph(TGraphPlot &g)
{
    g.Caption = QStringLiteral("Ultimate Total Capacity vs Depth");
    g.XCaption = QStringLiteral("Ultimate Total Capacity ");
    g.YCaption = QStringLiteral("Depth ");
    g.XUnits = QStringLiteral("F2");
    g.YUnits = QStringLiteral("L2");
    g.SetLineCount(kLines);
    g.SetPointCount(kPoints);
    for (int i = 0; i < kLines; ++i) {
        const double diameter = 2.0 + 0.5 * i;
        g.Line(i).name = QStringLiteral("Dia=") + shortestNumber(diameter) + " ft";
        for (int j = 0; j < kPoints; ++j) {
            const double depth = j;
            const double side = 3.14159 * diameter * 0.02 * depth * depth;
            const double base =
                0.785 * diameter * diameter * (20.0 + 10.0 * std::floor(depth / 30.0));
            g.Point(i, j) = {side + base, depth};
        }
    }
    const int fills[] = {7, 1, 8, 9, 10, 11, 12, 2, 3, 4};
    for (int k = 0; k < 10; ++k)
        g.AddBandEntry(QStringLiteral(" LAYER %1 ").arg(k + 1), fills[k], 30.0 * (k + 1));
    g.ShowLayers = true;
}

void paintLoop(benchmark::State &state, TGraphPlot &g, QSize size, DrawOptions options)
{
    const GraphView view = fullView(g).value();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        draw(painter, QRectF(QPointF(0, 0), QSizeF(size)), {g, view, options});
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// As the window shows it: lines from the 21st on are not included.
void BM_PaintLargestGraphAsShown(benchmark::State &state)
{
    TGraphPlot g;
    buildLargestGraph(g);
    g.ExcludeLinesBeyondLimit();
    paintLoop(state, g, {static_cast<int>(state.range(0)), static_cast<int>(state.range(1))}, {});
}
BENCHMARK(BM_PaintLargestGraphAsShown)
    ->Args({1280, 960})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond);

// Every one of the 57 lines drawn (after the Active Curves dialog included them all).
void BM_PaintLargestGraphAllLines(benchmark::State &state)
{
    TGraphPlot g;
    buildLargestGraph(g);
    paintLoop(state, g, {static_cast<int>(state.range(0)), static_cast<int>(state.range(1))}, {});
}
BENCHMARK(BM_PaintLargestGraphAllLines)
    ->Args({1280, 960})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond);

// A report picture: 6 in x 4 in at 300 pixels per inch with the legend box and the large
// pattern tiles.
void BM_PaintLargestGraphSavedAt300ppi(benchmark::State &state)
{
    TGraphPlot g;
    buildLargestGraph(g);
    g.ExcludeLinesBeyondLimit();
    DrawOptions options;
    options.dpiX = options.dpiY = 300;
    options.legendBox = true;
    options.band = BandPlacement::Saved;
    options.printing = true;
    const PictureSize size = pictureSize(6, 4, 300);
    paintLoop(state, g, {size.width, size.height}, options);
}
BENCHMARK(BM_PaintLargestGraphSavedAt300ppi)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts need the GUI application
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
