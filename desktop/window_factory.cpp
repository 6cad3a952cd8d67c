// The data dialogs. Stubs until the graph windows exist: the result graphs are only read
// from the plot data file, so that a successful read is what makes results available.
#include "window_factory.h"

#include "control_options_dialog.h"
#include "design_load_dialog.h"
#include "factor_of_safety_dialog.h"
#include "main_window.h"
#include "plot_file_reader.h"
#include "shaft_length_dialog.h"
#include "shaft_properties_dialog.h"
#include "title_dialog.h"
#include "water_table_dialog.h"
#include "word_reader.h"

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
    case DataWindow::ControlOptions:
        return new TfrmControlOptions(project, mainForm.WordProcessor());
    case DataWindow::SoilLayers:
        return nullptr;
    }
    return nullptr;
}

bool buildResultGraphs(TMainForm &mainForm, const QString &plotFileName, bool freshRun)
{
    TProgramData &project = mainForm.Project();
    PlotReadOptions options;
    options.currentLayout = project.currentLayout;
    options.uplift = project.loadingType == 2;
    options.FST = project.FST;
    options.FSB = project.FSB;
    try {
        const PlotData data = readPlotFile(plotFileName, options);
        project.KLS = data.KLS;
        return true;
    } catch (const EInputError &) {
        if (freshRun)
            mainForm.Interaction().Information(
                &mainForm, QStringLiteral("An error occured in running the main program."));
        return false;
    }
}

QWidget *createGraphWindow(ResultGraph, TMainForm &)
{
    return nullptr;
}

} // namespace vorna
