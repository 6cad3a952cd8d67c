// The child windows that other parts of the program provide: the data dialogs (data entry)
// and the result graphs. The main window asks these functions for them, so it needs to know
// no dialog class of its own.
#pragma once

#include "result_graphs.h"

#include <QString>

#include <optional>

namespace vorna {

class ChildWindow;
class ProgramTables;
class TProgramData;

// Data windows of the Data menu and the tool bar.
enum class DataWindow {
    Title,
    ShaftProperties,
    SoilLayers,
    FactorOfSafety,
    ShaftLength,
    DesignLoad,
    WaterTable,
    ControlOptions,
};

// A new data dialog that edits the project (and, for the control options, the word
// processor setting), or nullptr for the soil layer table, whose window is a table window
// (TTableForm::ShowWindow). Both must outlive the dialog.
ChildWindow *createDataDialog(DataWindow kind, TProgramData &project, QString &wordProcessor);

// What building the result graphs needs of the project and its soil layer table.
ResultProjectFacts resultProjectFacts(const TProgramData &project, const ProgramTables &tables);

// Builds the graphs from a plot data file for the project (and its measured curve, when
// there is one) and stores the file's KLS in the project; freshRun tells a run just made
// from a project being opened. The outcome's message, when not empty, is for the user:
// "An error occured in running the main program." for a fresh run whose file cannot be read.
ResultBuildOutcome buildResultGraphs(ResultGraphs &graphs, TProgramData &project,
                                     const ProgramTables &tables,
                                     std::optional<LoadTestCurve> loadTest,
                                     const QString &plotFileName, bool freshRun);

// The line under printed and saved graphs that tells whose results they are: the project's
// title and its file.
QString resultGraphFootnote(const TProgramData &project);

} // namespace vorna
