// Stubs until the data dialogs, the table window and the graph windows exist: the data and
// graph windows are not created yet, and the result graphs are only read from the plot
// data file, so that a successful read is what makes results available.
#include "window_factory.h"

#include "main_window.h"
#include "plot_file_reader.h"
#include "word_reader.h"

namespace vorna {

QWidget *createDataWindow(DataWindow, TMainForm &)
{
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
