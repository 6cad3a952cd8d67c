#include "window_factory.h"

#include "control_options_dialog.h"
#include "design_load_dialog.h"
#include "factor_of_safety_dialog.h"
#include "main_window.h"
#include "platform/platform.h"
#include "shaft_length_dialog.h"
#include "shaft_properties_dialog.h"
#include "title_dialog.h"
#include "water_table_dialog.h"

#include <QDir>
#include <QFileDialog>

namespace vorna {

ChildWindow *createDataDialog(DataWindow kind, TMainForm &mainForm)
{
    TProgramData &project = mainForm.Project();
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
        auto *dialog = new TfrmControlOptions(project, mainForm.WordProcessor());
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

bool buildResultGraphs(TMainForm &mainForm, const QString &plotFileName, bool freshRun)
{
    TProgramData &project = mainForm.Project();
    ResultProjectFacts facts = resultProjectFacts(project, mainForm.Tables());
    facts.loadTest = mainForm.LoadTest();
    const ResultBuildOutcome outcome =
        mainForm.Graphs().BuildFromPlotFile(plotFileName, freshRun, facts);
    if (outcome.KLS)
        project.KLS = *outcome.KLS;
    if (!outcome.message.isEmpty())
        mainForm.Interaction().Information(&mainForm, outcome.message);
    return outcome.built;
}

QString resultGraphFootnote(const TProgramData &project)
{
    const QString file = QDir::toNativeSeparators(project.fileName);
    const QString title = project.title.trimmed();
    return title.isEmpty() ? QStringLiteral("File: %1").arg(file)
                           : QStringLiteral("%1    File: %2").arg(title, file);
}

} // namespace vorna
