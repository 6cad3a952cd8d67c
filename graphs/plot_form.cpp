#include "plot_form.h"

#include "graph_dialogs.h"

#include <QAction>
#include <QActionGroup>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vorna {

namespace {

struct Choice {
    const char *text;
    int value;
};

constexpr Choice kMarkerChoices[] = {
    {"&Never", 0},
    {"Every &Increment", 1},
    {"Every &2 Increments", 2},
    {"Every &3 Incrments", 3},
    {"Every &5 Increments", 5},
    {"Every &10 Incements", 10},
};
constexpr Choice kFontChoices[] = {
    {"&Default", 10},      {"1.5 * Default", 15}, {"2 * Default", 20},
    {"2.5 * Default", 25}, {"3 * Default", 30},   {"4 * Default", 40},
};
constexpr Choice kWidthChoices[] = {
    {"&Default", 1},    {"2 * Default", 2},   {"4 * Default", 4},
    {"6 * Default", 6}, {"10 * Default", 10},
};

// No exception may leave a slot or an event handler: it becomes an information box.
template <typename Command>
void guarded(const TGraphPlot &graph, QWidget *parent, Command &&command)
{
    try {
        command();
    } catch (const std::exception &error) {
        graph.Interaction.Information(parent, QString::fromUtf8(error.what()));
    }
}

QPoint clampInto(QPoint topLeft, QSize size, QSize area)
{
    return {std::clamp(topLeft.x(), 0, std::max(0, area.width() - size.width())),
            std::clamp(topLeft.y(), 0, std::max(0, area.height() - size.height()))};
}

} // namespace

// ---- Legend

TLegendList::TLegendList(TPlotForm &form, QWidget *parent) : QWidget(parent), m_form(form)
{
    setCursor(Qt::SizeAllCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TLegendList::SetEntries(std::vector<LegendEntry> entries)
{
    m_entries = std::move(entries);
    Resize();
    update();
}

QFont TLegendList::itemFont() const
{
    return graphFont(legendFontPixels(m_form.Graph(), logicalDpiY()), false);
}

double TLegendList::ItemHeight() const
{
    return 1.5 * legendFontPixels(m_form.Graph(), logicalDpiY());
}

QString TLegendList::ItemText(int item) const
{
    const LegendEntry &e = m_entries.at(static_cast<std::size_t>(item));
    return m_form.Graph().Line(e.line).shown ? e.name + QStringLiteral(" *") : e.name;
}

void TLegendList::Resize()
{
    const QFontMetricsF fm(itemFont());
    double widest = 0;
    for (const LegendEntry &e : m_entries)
        widest = std::max(widest, fm.horizontalAdvance(e.name + QStringLiteral(" *")));
    const int width = std::max(21, static_cast<int>(std::ceil(widest + logicalDpiX() / 4.0)));
    const int height =
        static_cast<int>(std::ceil(static_cast<double>(m_entries.size()) * ItemHeight())) + 3;
    resize(width, height);
}

int TLegendList::ItemAt(QPoint pos) const
{
    const int item = static_cast<int>((pos.y() - 1) / ItemHeight());
    return item >= 0 && item < static_cast<int>(m_entries.size()) ? item : -1;
}

void TLegendList::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::gray);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setFont(itemFont());
    const QFontMetricsF fm(p.font());
    const double h = ItemHeight();
    for (int i = 0; i < static_cast<int>(m_entries.size()); ++i) {
        p.setPen(paletteColor(i));
        const double baseline = 1 + i * h + (h + fm.ascent() - fm.descent()) / 2;
        p.drawText(QPointF(logicalDpiX() / 16.0, baseline), ItemText(i));
    }
}

void TLegendList::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragOffset = event->position().toPoint();
}

void TLegendList::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragOffset || !parentWidget())
        return;
    const QPoint wanted = mapToParent(event->position().toPoint()) - *m_dragOffset;
    const QPoint placed = clampInto(wanted, size(), parentWidget()->size());
    if (placed != pos()) {
        move(placed);
        m_form.m_legendMoved = true;
    }
}

void TLegendList::mouseReleaseEvent(QMouseEvent *)
{
    m_dragOffset.reset();
}

void TLegendList::mouseDoubleClickEvent(QMouseEvent *event)
{
    guarded(m_form.Graph(), this, [&] {
        const int item = ItemAt(event->position().toPoint());
        if (item >= 0)
            m_form.ToggleLine(m_entries[static_cast<std::size_t>(item)].line);
    });
}

// ---- Canvas

TPlotCanvas::TPlotCanvas(TPlotForm &form, QWidget *parent) : QWidget(parent), m_form(form)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 90);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TPlotCanvas::Invalidate()
{
    m_cacheValid = false;
    update();
}

void TPlotCanvas::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (!m_cacheValid || m_cache.size() != pixels) {
        m_cache = QPixmap(pixels);
        m_cache.setDevicePixelRatio(ratio);
        m_cache.fill(Qt::white);
        QPainter p(&m_cache);
        try {
            draw(p, QRectF(rect()), {m_form.Graph(), m_form.CurrentView(), m_form.ScreenOptions()});
        } catch (const std::exception &) {
            // Out of memory while painting: the white picture stays; a message box from
            // inside a paint event would only paint again.
        }
        m_cacheValid = true;
    }
    QPainter p(this);
    p.drawPixmap(0, 0, m_cache);
    if (const std::optional<QRect> band = m_form.RubberBand()) {
        // Drawn by inversion, as the rubber band of the original.
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(QPen(Qt::white, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(*band);
    }
}

void TPlotCanvas::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_cacheValid = false;
    m_form.placeLegend();
}

void TPlotCanvas::mousePressEvent(QMouseEvent *event)
{
    guarded(m_form.Graph(), this, [&] {
        const QPoint pos = event->position().toPoint();
        const PlotLayout layout = m_form.CanvasLayout();
        if (layout.tooSmall)
            return;
        if (event->button() == Qt::LeftButton && !m_form.Graph().ShowThree &&
            layout.plot.Contains(pos)) {
            m_form.m_pressed = pos;
            m_form.m_rubberBand = QRect(pos, pos);
        } else if (event->button() == Qt::RightButton) {
            m_form.ZoomOutAt(pos);
        }
    });
}

void TPlotCanvas::mouseMoveEvent(QMouseEvent *event)
{
    guarded(m_form.Graph(), this, [&] {
        const QPoint pos = event->position().toPoint();
        m_form.setWindowTitle(m_form.ReadOut(pos));
        if (m_form.m_pressed) {
            const QPoint end = m_form.CanvasMapping().ClampToArea(pos);
            m_form.m_rubberBand = QRect(*m_form.m_pressed, end).normalized();
            update();
        }
    });
}

// The read-out belongs to the pointer: without it the caption names the graph again.
void TPlotCanvas::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    m_form.setWindowTitle(m_form.Graph().DisplayName());
}

void TPlotCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    guarded(m_form.Graph(), this, [&] {
        if (event->button() != Qt::LeftButton || !m_form.m_pressed)
            return;
        const QPoint pressed = *m_form.m_pressed;
        m_form.m_pressed.reset();
        m_form.m_rubberBand.reset();
        m_form.ZoomTo(pressed, event->position().toPoint());
        update();
    });
}

// ---- Window

TPlotForm::TPlotForm(TGraphPlot &graph, QWidget *parent) : QWidget(parent), m_graph(graph)
{
    setWindowTitle(graph.DisplayName());
    setObjectName(graph.objectName() + QStringLiteral("Form"));
    const std::optional<GraphView> full = fullView(graph);
    if (!full) {
        m_valid = false; // a rounding unit of 0: the window closes
        return;
    }
    m_full = *full;
    m_view = *full;
    m_graph.ExcludeLinesBeyondLimit();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_menuBar = new QMenuBar(this);
    layout->setMenuBar(m_menuBar);
    m_canvas = new TPlotCanvas(*this, this);
    layout->addWidget(m_canvas);
    m_legend = new TLegendList(*this, m_canvas);

    createMenu();
    RebuildLines();
    connect(&m_graph, &TGraphPlot::changed, this, [this] {
        guarded(m_graph, this, [this] {
            RebuildLines();
            invalidate();
        });
    });
    resize(720, 540);
}

TPlotForm::~TPlotForm() = default;

TPlotForm *TPlotForm::Create(TGraphPlot &graph, QWidget *parent)
{
    auto *window = new TPlotForm(graph, parent);
    if (!window->IsValid()) {
        delete window; // an axis that cannot be scaled: the window closes
        return nullptr;
    }
    connect(&graph, &TGraphPlot::destroying, window, [window] {
        // In an MDI area the window sits in a sub-window that goes with it.
        QWidget *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget());
        delete (frame ? frame : static_cast<QWidget *>(window));
    });
    return window;
}

void TPlotForm::ShowInFront()
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget())) {
        if (frame->isMinimized())
            frame->showNormal();
        frame->show();
        show();
        if (QMdiArea *area = frame->mdiArea())
            area->setActiveSubWindow(frame);
        return;
    }
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void TPlotForm::createMenu()
{
    m_plotMenu = m_menuBar->addMenu(QStringLiteral("&Plot"));
    m_plotMenu->setObjectName(QStringLiteral("PlotMenu"));
    const auto add = [this](QMenu *menu, const char *name, const QString &text, auto slot) {
        QAction *a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this,
                [this, slot](bool checked) { guarded(m_graph, this, [&] { slot(checked); }); });
        return a;
    };
    QAction *legend = add(m_plotMenu, "ShowLegend", QStringLiteral("Show &Legend"),
                          [this](bool on) { SetShowLegend(on); });
    legend->setCheckable(true);
    QAction *layers = add(m_plotMenu, "ShowSoilLayer", QStringLiteral("Show &Soil Layer"),
                          [this](bool on) { SetShowLayers(on); });
    layers->setCheckable(true);
    QAction *wall = add(m_plotMenu, "ShowWall", QStringLiteral("Show &Wall Geometry"),
                        [this](bool on) { SetShowWall(on); });
    wall->setCheckable(true);

    const auto radioMenu = [this](const QString &title, const char *name, const auto &choices,
                                  QActionGroup *&group, auto setter) {
        QMenu *menu = m_plotMenu->addMenu(title);
        menu->setObjectName(QString::fromLatin1(name) + QStringLiteral("Menu"));
        group = new QActionGroup(this);
        for (const Choice &c : choices) {
            QAction *a = menu->addAction(QString::fromLatin1(c.text));
            a->setObjectName(QString::fromLatin1(name) + QString::number(c.value));
            a->setCheckable(true);
            a->setData(c.value);
            group->addAction(a);
            const int value = c.value;
            connect(a, &QAction::triggered, this, [this, setter, value] {
                guarded(m_graph, this, [&] { (this->*setter)(value); });
            });
        }
        return menu;
    };
    radioMenu(QStringLiteral("Show &Markers"), "Markers", kMarkerChoices, m_markerGroup,
              &TPlotForm::SetMarkers);
    radioMenu(QStringLiteral("&Font Size"), "FontSize", kFontChoices, m_fontGroup,
              &TPlotForm::SetFontSize);
    radioMenu(QStringLiteral("&Line Width"), "LineWidth", kWidthChoices, m_widthGroup,
              &TPlotForm::SetLineWidth);

    add(m_plotMenu, "GraphTitle", QStringLiteral("&Graph Title"),
        [this](bool) { GraphTitleClick(); });
    add(m_plotMenu, "EditLegend", QStringLiteral("&Edit Legend"),
        [this](bool) { EditLegendClick(); });
    add(m_plotMenu, "ActiveCurves", QStringLiteral("&Active Curves"),
        [this](bool) { ActiveCurvesClick(); });
    // Without a printer both still work, on Qt's PDF output.
    add(m_plotMenu, "Print", QStringLiteral("&Print..."), [this](bool) { PrintClick(); });
    add(m_plotMenu, "PageSetup", QStringLiteral("P&age Setup"), [this](bool) { PageSetupClick(); });
    add(m_plotMenu, "SaveToDisk", QStringLiteral("&Save To Disk..."),
        [this](bool) { SaveToDiskClick(); });
    m_plotMenu->addSeparator()->setObjectName(QStringLiteral("LineSeparator"));
    connect(m_plotMenu, &QMenu::aboutToShow, this, [this] { refreshMenu(); });
    refreshMenu();
}

QAction *TPlotForm::Action(const QString &objectName) const
{
    return m_plotMenu ? m_plotMenu->findChild<QAction *>(objectName) : nullptr;
}

void TPlotForm::refreshMenu()
{
    const auto check = [](QActionGroup *group, int value) {
        for (QAction *a : group->actions())
            a->setChecked(a->data().toInt() == value);
    };
    Action(QStringLiteral("ShowLegend"))->setChecked(!m_legend->isHidden());
    QAction *layers = Action(QStringLiteral("ShowSoilLayer"));
    layers->setVisible(m_graph.LineCount(LineList::Band) > 0);
    layers->setChecked(m_graph.ShowLayers);
    QAction *wall = Action(QStringLiteral("ShowWall"));
    wall->setVisible(m_graph.WallLineCount > 0);
    wall->setEnabled(m_graph.ShowLayers);
    wall->setChecked(m_graph.ShowWall);
    check(m_markerGroup, m_graph.Markers);
    check(m_fontGroup, m_graph.SizeFont);
    check(m_widthGroup, m_graph.WidthLine);
    for (QMenu *menu : m_plotMenu->findChildren<QMenu *>()) {
        if (menu->objectName() == QLatin1String("FontSizeMenu") ||
            menu->objectName() == QLatin1String("LineWidthMenu"))
            menu->menuAction()->setVisible(m_graph.ShowFontWidth);
    }
    for (QAction *a : m_lineActions) {
        const int line = a->data().toInt();
        a->setChecked(line < m_graph.LineCount() && m_graph.Line(line).shown);
    }
}

void TPlotForm::RebuildLines()
{
    if (!m_valid)
        return;
    m_graph.ExcludeLinesBeyondLimit();
    std::vector<LegendEntry> entries = legendEntries(m_graph);
    // Existing items take new captions in place; items are added or removed at the end.
    while (m_lineActions.size() > entries.size()) {
        delete m_lineActions.back();
        m_lineActions.pop_back();
    }
    for (std::size_t k = 0; k < entries.size(); ++k) {
        if (k == m_lineActions.size()) {
            QAction *a = m_plotMenu->addAction(QString());
            a->setCheckable(true);
            connect(a, &QAction::triggered, this,
                    [this, a] { guarded(m_graph, this, [&] { ToggleLine(a->data().toInt()); }); });
            m_lineActions.push_back(a);
        }
        QAction *a = m_lineActions[k];
        a->setText(entries[k].name);
        a->setData(entries[k].line);
        a->setChecked(m_graph.Line(entries[k].line).shown);
    }
    m_legend->SetEntries(std::move(entries));
    placeLegend();
    updateLegendVisibility();
}

void TPlotForm::updateLegendVisibility()
{
    m_legend->setVisible(m_graph.ShowLegend && !m_legend->Entries().empty());
}

void TPlotForm::placeLegend()
{
    if (!m_valid || !m_legend)
        return;
    QPoint wanted = m_legend->pos();
    if (!m_legendMoved) {
        const PlotLayout layout = CanvasLayout();
        if (layout.tooSmall)
            return;
        const PlotMapping map = CanvasMapping(0);
        wanted = legendCorner(QSizeF(m_legend->size()), layout.plot, m_canvas->logicalDpiX() / 16.0,
                              mappedCurves(m_graph, LineList::Main, map))
                     .toPoint();
    }
    m_legend->move(clampInto(wanted, m_legend->size(), m_canvas->size()));
}

void TPlotForm::invalidate()
{
    if (m_canvas)
        m_canvas->Invalidate();
}

void TPlotForm::Relayout()
{
    m_legend->Resize();
    placeLegend();
    invalidate();
}

DrawOptions TPlotForm::ScreenOptions() const
{
    DrawOptions options;
    options.dpiX = m_canvas ? m_canvas->logicalDpiX() : 96;
    options.dpiY = m_canvas ? m_canvas->logicalDpiY() : 96;
    return options;
}

PlotLayout TPlotForm::CanvasLayout() const
{
    return layoutFor(QRectF(m_canvas->rect()), m_graph, ScreenOptions());
}

PlotMapping TPlotForm::CanvasMapping(int graph) const
{
    const auto k = static_cast<std::size_t>(std::clamp(graph, 0, 2));
    return {CanvasLayout().graphs[k], m_view.range[k].x, m_view.range[k].y, m_graph.XOnTop};
}

void TPlotForm::SetCurrentView(const GraphView &view)
{
    m_view = view;
    invalidate();
}

void TPlotForm::ZoomTo(QPoint pressed, QPoint released)
{
    if (pressed.x() == released.x() || pressed.y() == released.y())
        return;
    const PlotMapping map = CanvasMapping(0);
    const QPointF a = map.ToData(pressed);
    const QPointF b = map.ToData(map.ClampToArea(released));
    m_view.range[0] = rubberBandZoom(m_full.range[0], a, b);
    invalidate();
}

void TPlotForm::ZoomOutAt(QPoint clicked)
{
    const PlotLayout layout = CanvasLayout();
    const int graphs = m_graph.ShowThree ? 3 : 1;
    for (int k = 0; k < graphs; ++k) {
        const auto ku = static_cast<std::size_t>(k);
        if (!layout.graphs[ku].Contains(clicked))
            continue;
        const QPointF centre = CanvasMapping(k).ToData(clicked);
        m_view.range[ku].x = zoomOutAxis(m_view.range[ku].x, m_full.range[ku].x, centre.x());
        m_view.range[ku].y = zoomOutAxis(m_view.range[ku].y, m_full.range[ku].y, centre.y());
        invalidate();
        return;
    }
}

QString TPlotForm::ReadOut(QPoint pos) const
{
    const PlotLayout layout = CanvasLayout();
    int graph = 0;
    if (m_graph.ShowThree) {
        for (int k = 0; k < 3; ++k) {
            const PlotRect &r = layout.graphs[static_cast<std::size_t>(k)];
            if (pos.x() >= r.left && pos.x() <= r.right)
                graph = k;
        }
    }
    const PlotMapping map = CanvasMapping(graph);
    const QPointF value = map.ToData(map.ClampToArea(pos));
    return m_graph.DisplayName() + QStringLiteral(" X: ") + QString::number(value.x(), 'g', 5) +
           QStringLiteral(" Y: ") + QString::number(value.y(), 'g', 5);
}

void TPlotForm::ToggleLine(int line)
{
    if (line < 0 || line >= m_graph.LineCount())
        return;
    m_graph.Line(line).shown = !m_graph.Line(line).shown;
    for (QAction *a : m_lineActions) {
        if (a->data().toInt() == line)
            a->setChecked(m_graph.Line(line).shown);
    }
    m_legend->Resize();
    m_legend->update();
    invalidate();
}

void TPlotForm::SetShowLegend(bool show)
{
    m_graph.ShowLegend = show;
    updateLegendVisibility();
}

void TPlotForm::SetShowLayers(bool show)
{
    m_graph.ShowLayers = show;
    Relayout();
}

void TPlotForm::SetShowWall(bool show)
{
    m_graph.ShowWall = show;
    invalidate();
}

void TPlotForm::SetMarkers(int every)
{
    m_graph.Markers = std::max(every, 0);
    invalidate();
}

void TPlotForm::SetFontSize(int sizeFont)
{
    m_graph.SizeFont = sizeFont;
    Relayout();
}

void TPlotForm::SetLineWidth(int widthLine)
{
    m_graph.WidthLine = widthLine;
    invalidate();
}

void TPlotForm::GraphTitleClick()
{
    TGraphCaptionDialog dialog(m_graph, this);
    m_graph.Interaction.Exec(dialog);
    Relayout();
}

void TPlotForm::EditLegendClick()
{
    TLegendDialog dialog(m_graph, this);
    if (m_graph.Interaction.Exec(dialog) == QDialog::Accepted) {
        RebuildLines();
        invalidate();
    }
}

void TPlotForm::ActiveCurvesClick()
{
    TActiveCurvesDialog dialog(m_graph, this);
    if (m_graph.Interaction.Exec(dialog) == QDialog::Accepted) {
        RebuildLines();
        invalidate();
    }
}

QPrinter &TPlotForm::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setPageMargins(QMarginsF(1, 1, 1, 1), QPageLayout::Inch);
    }
    return *m_printer;
}

void TPlotForm::PrintClick()
{
    QPrinter &p = printer();
    p.setDocName(m_graph.Caption);
    if (m_graph.Interaction.PrinterInstalled()) {
        if (m_graph.Interaction.PrintDialog(this, p))
            PrintTo(p);
        return;
    }
    // No printer: the page goes to a PDF file of the user's naming.
    QString filter;
    QString fileName = m_graph.Interaction.SaveFileName(this, QStringLiteral("Print to PDF"),
                                                        QString::fromLatin1(kPdfFilter), &filter);
    if (fileName.isEmpty())
        return;
    fileName = withPictureExtension(fileName, PictureFormat::Pdf);
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(fileName);
    PrintTo(p);
    if (!QFileInfo::exists(fileName))
        m_graph.Interaction.Information(
            this, QStringLiteral("The picture could not be written to ") + fileName);
}

void TPlotForm::PageSetupClick()
{
    QPrinter &p = printer();
    if (!m_graph.Interaction.PrinterInstalled())
        p.setOutputFormat(QPrinter::PdfFormat);
    m_graph.Interaction.PageSetupDialog(this, p);
}

void TPlotForm::PrintTo(QPrinter &target)
{
    printGraph(target, m_graph, m_view, LegendPlacement());
}

std::optional<QPointF> TPlotForm::LegendPlacement() const
{
    if (!m_legendMoved || m_legend->isHidden())
        return std::nullopt;
    const PlotRect plot = CanvasLayout().plot;
    if (plot.Width() <= 0 || plot.Height() <= 0)
        return std::nullopt;
    return QPointF(double(m_legend->x() - plot.left) / plot.Width(),
                   double(m_legend->y() - plot.top) / plot.Height());
}

SaveResult TPlotForm::SaveTo(const QString &fileName, PictureFormat format, const PictureSize &size)
{
    return saveGraphPicture(fileName, format, m_graph, m_view, size, LegendPlacement());
}

void TPlotForm::SaveToDiskClick()
{
    QString filter;
    QString fileName = m_graph.Interaction.SaveFileName(this, QStringLiteral("Save Graph"),
                                                        pictureFilters(), &filter);
    if (fileName.isEmpty())
        return;
    const PictureFormat format = pictureFormatFor(fileName, filter);
    fileName = withPictureExtension(fileName, format);
    TSaveAttributesDialog attributes(m_graph.Interaction, this);
    if (m_graph.Interaction.Exec(attributes) != QDialog::Accepted)
        return;
    switch (SaveTo(fileName, format, attributes.Size())) {
    case SaveResult::Saved:
        break;
    case SaveResult::NoMemory:
        m_graph.Interaction.Information(this, QString::fromLatin1(kNoMemoryMessage));
        break;
    case SaveResult::WriteFailed:
        m_graph.Interaction.Information(
            this, QStringLiteral("The picture could not be written to ") + fileName);
        break;
    }
    invalidate(); // the screen layout is restored in every case
}

} // namespace vorna
