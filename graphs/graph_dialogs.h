// The four modal dialogs of a graph window's Plot menu: the graph title, the legend names,
// the active curves and the picture size for saving. Each works on the graph of the window
// that opened it; the window lays out and repaints afterwards.
#pragma once

#include "graph_interaction.h"
#include "graph_output.h"
#include "graph_plot.h"

#include <QDialog>
#include <QLineEdit>

#include <vector>

class QButtonGroup;
class QLabel;
class QListWidget;
class QRadioButton;

namespace vorna {

// Graph Caption: the title text and whether it stands at the top or the bottom. However the
// dialog closes, the text becomes the graph's title and its place follows the radio buttons.
class TGraphCaptionDialog : public QDialog {
    Q_OBJECT

public:
    TGraphCaptionDialog(TGraphPlot &graph, QWidget *parent = nullptr);

    QLineEdit *TextBox() const { return m_text; }
    QRadioButton *TopButton() const { return m_top; }
    QRadioButton *BottomButton() const { return m_bottom; }

    void done(int result) override;

private:
    TGraphPlot &m_graph;
    QLineEdit *m_text = nullptr;
    QRadioButton *m_top = nullptr;
    QRadioButton *m_bottom = nullptr;
};

// Legend: the names of all lines; the selected one is edited in the text box (shown in its
// line's colour). An empty name is refused with "The line must have a name!". OK gives every
// line the listed name as its own.
class TLegendDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr const char *kEmptyNameMessage = "The line must have a name!";

    TLegendDialog(TGraphPlot &graph, QWidget *parent = nullptr);

    QListWidget *List() const { return m_list; }
    QLineEdit *TextBox() const { return m_edit; }
    const QStringList &Names() const { return m_names; }

    // Stores the text box as the name of the line being edited (Enter, leaving the box).
    // False when the text is empty: the message is shown and the old name put back.
    bool StoreText();
    // Loads the selected line's name into the text box, in its colour.
    void LoadSelected();

    void accept() override;

private:
    TGraphPlot &m_graph;
    QStringList m_names;
    int m_editing = -1;
    bool m_storing = false;
    QListWidget *m_list = nullptr;
    QLineEdit *m_edit = nullptr;
};

// Active Curves: one entry per line, " yes : " or " no  : ", three blanks and its name. OK
// includes exactly the lines whose entry reads " yes : ".
class TActiveCurvesDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr const char *kYes = " yes : ";
    static constexpr const char *kNo = " no  : ";

    TActiveCurvesDialog(TGraphPlot &graph, QWidget *parent = nullptr);

    QListWidget *List() const { return m_list; }
    const std::vector<bool> &States() const { return m_active; }

    void ActivateAll();
    void DeactivateAll();
    // Toggles the selected entries (the current one when only one is selected).
    void ToggleSelected();
    void Toggle(int row);

    void accept() override;

private:
    void refresh(int row);

    TGraphPlot &m_graph;
    std::vector<bool> m_active;
    QListWidget *m_list = nullptr;
};

// A numeric field of the graph dialogs: a number or an expression, checked against its
// limits when it is left, on Enter and by Validate, with the messages of the program's
// numeric fields ("Entry must be greater than or equal to 2", ...).
class TGraphNumberField : public QLineEdit {
    Q_OBJECT

public:
    explicit TGraphNumberField(GraphInteraction interaction = {}, QWidget *parent = nullptr);

    bool IntegerOnly = false;
    double MinVal = -1.0e300;
    double MaxVal = 1.0e300;

    double Number() const { return m_value; }
    void SetNumber(double value); // clamped into the limits; the text is the formatted value
    // Evaluates the text and checks it; shows the message and returns false when it fails.
    bool Validate();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    GraphInteraction m_interaction;
    double m_value = 0.0;
    bool m_validating = false;
};

// Save Attributes: height and width in inches (at least 2) and pixels per inch (integer, at
// least 10); the colour choice is shown but the picture keeps full colour.
class TSaveAttributesDialog : public QDialog {
    Q_OBJECT

public:
    explicit TSaveAttributesDialog(GraphInteraction interaction = {}, QWidget *parent = nullptr);

    TGraphNumberField *HeightField() const { return m_height; }
    TGraphNumberField *WidthField() const { return m_width; }
    TGraphNumberField *ResolutionField() const { return m_resolution; }
    QButtonGroup *Colors() const { return m_colors; }

    // round(resolution * height) x round(resolution * width) pixels.
    PictureSize Size() const;

    void accept() override; // only when every field validates

private:
    TGraphNumberField *m_height = nullptr;
    TGraphNumberField *m_width = nullptr;
    TGraphNumberField *m_resolution = nullptr;
    QButtonGroup *m_colors = nullptr;
};

} // namespace vorna
