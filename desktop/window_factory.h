// The child windows that other parts of the program provide: the data dialogs (data entry)
// and the result graphs. The main window asks these functions for them, so it needs to know
// no dialog class of its own.
#pragma once

#include "result_graphs.h"

#include <QString>

namespace vorna {

class ChildWindow;
class ProgramTables;
class TMainForm;
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

// A new data dialog that edits mainForm.Project() (and, for the control options, the main
// window's word processor), or nullptr for the soil layer table, whose window belongs to
// its table (TTableForm::ShowWindow).
ChildWindow *createDataDialog(DataWindow kind, TMainForm &mainForm);

// What building the result graphs needs of the project and its soil layer table.
ResultProjectFacts resultProjectFacts(const TProgramData &project, const ProgramTables &tables);

// Builds mainForm.Graphs() from a plot data file and stores the file's KLS in the project;
// freshRun tells a run just made from a project being opened. False, after the message
// "An error occured in running the main program." for a fresh run, when the file cannot
// be read.
bool buildResultGraphs(TMainForm &mainForm, const QString &plotFileName, bool freshRun);

// The line under printed and saved graphs that tells whose results they are: the project's
// title and its file.
QString resultGraphFootnote(const TProgramData &project);

} // namespace vorna
