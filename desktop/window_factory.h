// The child windows that other parts of the program provide: the data dialogs and the
// soil layer table window (data entry), and the result graphs. The main window asks these
// functions for them, so each part plugs in here without touching the main window.
#pragma once

#include <QString>

class QWidget;

namespace vorna {

class TMainForm;

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

// Result graphs of the Graphics menu and the tool bar, in menu order.
enum class ResultGraph {
    Skin,
    Tip,
    Total,
    FactoredSkin,
    FactoredTip,
    FactoredTotal,
    Combine,
    CombineFactored,
    Axial,
    Upper,
    Lower,
    CombinedSettlement,
};

// A new window for a data dialog or table, or nullptr while that window does not exist
// yet. The main window puts it into its MDI area (deleted on close) and shows it. The
// window edits mainForm.Project() and mainForm.Tables(), calls mainForm.SetModified(true)
// on a change, reloads its fields on mainForm's projectChanged(), and offers a public slot
// or Q_INVOKABLE `bool commit()` that stores its fields and returns false (keeping the
// focus on the field) when an entry is invalid.
QWidget *createDataWindow(DataWindow kind, TMainForm &mainForm);

// Builds the result graphs from a plot data file and stores the file's KLS in the
// project; freshRun tells a run just made from a project being opened. False, after the
// message "An error occured in running the main program." for a fresh run, when the file
// cannot be read.
bool buildResultGraphs(TMainForm &mainForm, const QString &plotFileName, bool freshRun);

// A new window showing a result graph, or nullptr while the graph windows do not exist.
QWidget *createGraphWindow(ResultGraph graph, TMainForm &mainForm);

} // namespace vorna
