#include "window_factory.h"

#include "control_options_dialog.h"
#include "design_load_dialog.h"
#include "factor_of_safety_dialog.h"
#include "platform/platform.h"
#include "program_data.h"
#include "program_tables.h"
#include "shaft_length_dialog.h"
#include "shaft_properties_dialog.h"
#include "title_dialog.h"
#include "water_table_dialog.h"

#include <QDir>
#include <QFileDialog>

namespace vorna {

ChildWindow *createDataDialog(DataWindow kind, TProgramData &project, QString &wordProcessor)
{
    switch (kind) {
    case DataWindow::Title:
        return new TfrmTitle(project);
    case DataWindow::ShaftProperties:
        return new TfrmShaftProperties(project);
    case DataWindow::FactorOfSafety:
        return new TfrmFactorOfSafety(project);
    case DataWindow::ShaftLength:
        return new TfrmShaftLength(project);
    case DataWindow::DesignLoad:
        return new TfrmDesignLoad(project);
    case DataWindow::WaterTable:
        return new TfrmWaterTable(project);
    case DataWindow::ControlOptions: {
        auto *dialog = new TfrmControlOptions(project, wordProcessor);
        dialog->setFileChooser([](QWidget *parent, const QString &current) {
            return QFileDialog::getOpenFileName(parent, QString(), current,
                                                platform::programFileFilters());
        });
        return dialog;
    }
    case DataWindow::SoilLayers:
        return nullptr;
    }
    return nullptr;
}

ResultProjectFacts resultProjectFacts(const TProgramData &project, const ProgramTables &tables)
{
    ResultProjectFacts facts;
    facts.unitSystem = unitCode(project.unitSystem);
    facts.lrfd = project.designMethod == DesignMethod::Lrfd;
    facts.uplift = project.loadingType == LoadingType::Uplift;
    facts.FST = project.FST;
    facts.FSB = project.FSB;
    facts.startDiameter = project.shaftProperties[kMinDiameter];
    facts.bellRatio = project.shaftProperties[kBellRatio];
    facts.currentLayout = project.currentLayout;
    const TGridTable &layers = tables.SoilLayers();
    for (int row = 0; row < layers.RowCount(); ++row) {
        const SoilCodeEntry &soil = soilCodeEntry(layerSoilCode(layers, row));
        facts.layers.push_back({QString::fromLatin1(soil.bandName), soil.bandFill,
                                layers.Column(kBottomDepthColumn).AsFloat(row)});
    }
    return facts;
}

ResultBuildOutcome buildResultGraphs(ResultGraphs &graphs, TProgramData &project,
                                     const ProgramTables &tables,
                                     std::optional<LoadTestCurve> loadTest,
                                     const QString &plotFileName, bool freshRun)
{
    ResultProjectFacts facts = resultProjectFacts(project, tables);
    facts.loadTest = std::move(loadTest);
    ResultBuildOutcome outcome = graphs.BuildFromPlotFile(plotFileName, freshRun, facts);
    if (outcome.KLS)
        project.KLS = *outcome.KLS;
    return outcome;
}

QString resultGraphFootnote(const TProgramData &project)
{
    const QString file = QDir::toNativeSeparators(project.fileName);
    const QString title = project.title.trimmed();
    return title.isEmpty() ? QStringLiteral("File: %1").arg(file)
                           : QStringLiteral("%1    File: %2").arg(title, file);
}

} // namespace vorna
