#include "graph_dialogs.h"

#include "numeric_entry.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>

namespace vorna {

namespace {

QString formatNumber(double value)
{
    return shortestNumber(value);
}

void centreOnScreen(QWidget *w)
{
    if (QScreen *screen = QGuiApplication::primaryScreen())
        w->move(screen->availableGeometry().center() - w->rect().center());
}

} // namespace

// ---- Graph Caption

TGraphCaptionDialog::TGraphCaptionDialog(TGraphPlot &graph, QWidget *parent)
    : QDialog(parent), m_graph(graph)
{
    setWindowTitle(QStringLiteral("Graph Caption"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(QStringLiteral("Enter Graph Caption"), this);
    m_text = new QLineEdit(graph.Title, this);
    label->setBuddy(m_text);
    auto *group = new QGroupBox(QStringLiteral("Caption Location"), this);
    auto *groupLayout = new QHBoxLayout(group);
    m_top = new QRadioButton(QStringLiteral("Top"), group);
    m_bottom = new QRadioButton(QStringLiteral("Bottom"), group);
    groupLayout->addWidget(m_top);
    groupLayout->addWidget(m_bottom);
    (graph.TitleAtTop ? m_top : m_bottom)->setChecked(true);
    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(label);
    layout->addWidget(m_text);
    layout->addWidget(group);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_text->setMinimumWidth(280);
}

void TGraphCaptionDialog::done(int result)
{
    m_graph.Title = m_text->text();
    m_graph.TitleAtTop = m_top->isChecked();
    QDialog::done(result);
}

// ---- Legend

TLegendDialog::TLegendDialog(TGraphPlot &graph, QWidget *parent) : QDialog(parent), m_graph(graph)
{
    setWindowTitle(QStringLiteral("Legend"));
    for (int i = 0; i < graph.LineCount(); ++i)
        m_names << graph.LineName(i);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(5);
    layout->addWidget(new QLabel(QStringLiteral("Select line to modify:"), this));
    m_list = new QListWidget(this);
    m_list->addItems(m_names);
    layout->addWidget(m_list, 1);
    layout->addWidget(new QLabel(QStringLiteral("Type new legend below:"), this));
    m_edit = new QLineEdit(this);
    layout->addWidget(m_edit);
    auto *buttons = new QHBoxLayout;
    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject); // Escape cancels too

    connect(m_list, &QListWidget::currentRowChanged, this, [this] { LoadSelected(); });
    connect(m_list, &QListWidget::itemClicked, this, [this] { LoadSelected(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { LoadSelected(); });
    connect(m_edit, &QLineEdit::returnPressed, this, [this] { StoreText(); });
    connect(m_edit, &QLineEdit::editingFinished, this, [this] { StoreText(); });

    setMinimumSize(195, 167);
    resize(260, 300);
    centreOnScreen(this);
    if (!m_names.isEmpty())
        m_list->setCurrentRow(0);
}

void TLegendDialog::LoadSelected()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_names.size())
        return;
    m_editing = row;
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Text, paletteColor(row));
    m_edit->setPalette(palette);
    m_edit->setText(m_names[row]);
}

bool TLegendDialog::StoreText()
{
    if (m_storing || m_editing < 0 || m_editing >= m_names.size())
        return true;
    m_storing = true;
    bool stored = true;
    const QString text = m_edit->text();
    if (text.isEmpty()) {
        m_graph.Interaction.Information(this, QString::fromLatin1(kEmptyNameMessage));
        m_edit->setText(m_names[m_editing]);
        stored = false;
    } else {
        m_names[m_editing] = text;
        m_list->item(m_editing)->setText(text);
    }
    m_storing = false;
    return stored;
}

void TLegendDialog::accept()
{
    if (m_edit->hasFocus() && !StoreText())
        return;
    for (int i = 0; i < m_graph.LineCount() && i < m_names.size(); ++i)
        m_graph.Line(i).name = m_names[i];
    QDialog::accept();
}

// ---- Active Curves

TActiveCurvesDialog::TActiveCurvesDialog(TGraphPlot &graph, QWidget *parent)
    : QDialog(parent), m_graph(graph)
{
    setWindowTitle(QStringLiteral("Active Curves"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select Curve to Active/Desactive"), this));
    auto *heads = new QHBoxLayout;
    heads->addWidget(new QLabel(QStringLiteral("Active :"), this));
    heads->addWidget(new QLabel(QStringLiteral("Curve"), this), 1);
    layout->addLayout(heads);
    m_list = new QListWidget(this);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QFont mono = m_list->font();
    mono.setFamily(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    m_list->setFont(mono);
    for (int i = 0; i < graph.LineCount(); ++i) {
        m_active.push_back(graph.Line(i).included);
        m_list->addItem(QString());
        refresh(i);
    }
    layout->addWidget(m_list, 1);

    auto *toggles = new QHBoxLayout;
    auto *all = new QPushButton(QStringLiteral("Activate All"), this);
    auto *none = new QPushButton(QStringLiteral("Desactivate All"), this);
    auto *selected = new QPushButton(QStringLiteral("Activate/Desactivate Selected"), this);
    toggles->addWidget(all);
    toggles->addWidget(none);
    toggles->addWidget(selected);
    layout->addLayout(toggles);
    auto *buttons = new QHBoxLayout;
    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    for (QPushButton *b : {all, none, selected, ok, cancel})
        b->setAutoDefault(false);

    connect(all, &QPushButton::clicked, this, [this] { ActivateAll(); });
    connect(none, &QPushButton::clicked, this, [this] { DeactivateAll(); });
    connect(selected, &QPushButton::clicked, this, [this] { ToggleSelected(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { Toggle(m_list->row(item)); });
    resize(380, 320);
}

void TActiveCurvesDialog::refresh(int row)
{
    const QString state = QString::fromLatin1(m_active[static_cast<std::size_t>(row)] ? kYes : kNo);
    m_list->item(row)->setText(state + QStringLiteral("   ") + m_graph.LineName(row));
}

void TActiveCurvesDialog::Toggle(int row)
{
    if (row < 0 || row >= static_cast<int>(m_active.size()))
        return;
    m_active[static_cast<std::size_t>(row)] = !m_active[static_cast<std::size_t>(row)];
    refresh(row);
}

void TActiveCurvesDialog::ActivateAll()
{
    for (std::size_t i = 0; i < m_active.size(); ++i) {
        m_active[i] = true;
        refresh(static_cast<int>(i));
    }
}

void TActiveCurvesDialog::DeactivateAll()
{
    for (std::size_t i = 0; i < m_active.size(); ++i) {
        m_active[i] = false;
        refresh(static_cast<int>(i));
    }
}

void TActiveCurvesDialog::ToggleSelected()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (selected.size() <= 1) {
        Toggle(m_list->currentRow());
        return;
    }
    for (QListWidgetItem *item : selected)
        Toggle(m_list->row(item));
}

void TActiveCurvesDialog::accept()
{
    for (int i = 0; i < m_graph.LineCount() && i < static_cast<int>(m_active.size()); ++i)
        m_graph.Line(i).included = m_active[static_cast<std::size_t>(i)];
    QDialog::accept();
}

// ---- Numeric field

TGraphNumberField::TGraphNumberField(GraphInteraction interaction, QWidget *parent)
    : QLineEdit(parent), m_interaction(std::move(interaction))
{
    setText(QStringLiteral("0"));
}

void TGraphNumberField::SetNumber(double value)
{
    m_value = std::clamp(value, MinVal, MaxVal);
    setText(formatNumber(m_value));
}

bool TGraphNumberField::Validate()
{
    if (m_validating)
        return false;
    m_validating = true;
    const EntryCheck check =
        checkEntry(text(), {MinVal, MaxVal, IntegerOnly, true},
                   [](long double limit) { return formatNumber(static_cast<double>(limit)); });
    if (check.shown)
        SetNumber(static_cast<double>(*check.shown));
    const QString &message = check.message;
    if (!message.isEmpty()) {
        m_interaction.Information(this, message);
        if (isVisible())
            setFocus();
    }
    m_validating = false;
    return message.isEmpty();
}

void TGraphNumberField::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Validate();
        selectAll();
        return;
    }
    // With the whole number selected, an operator extends it instead of replacing it.
    static const QString operators = QStringLiteral("+-/*^=%!");
    if (!event->text().isEmpty() && operators.contains(event->text().front()) &&
        hasSelectedText() && selectedText() == text())
        end(false);
    QLineEdit::keyPressEvent(event);
}

void TGraphNumberField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && !m_validating)
        Validate();
}

// ---- Save Attributes

TSaveAttributesDialog::TSaveAttributesDialog(GraphInteraction interaction, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Save Attributes"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    const auto field = [&](double value, double min, double max, bool integer) {
        auto *f = new TGraphNumberField(interaction, this);
        f->IntegerOnly = integer;
        f->MinVal = min;
        f->MaxVal = max;
        f->SetNumber(value);
        return f;
    };
    m_height = field(4, 2, 1.0e300, false);
    m_width = field(6, 2, 1.0e300, false);
    m_resolution = field(72, 10, 2147483647.0, true);
    form->addRow(QStringLiteral("&Height (in)"), m_height);
    form->addRow(QStringLiteral("&Width (in)"), m_width);
    form->addRow(QStringLiteral("&Pixels Per Inch"), m_resolution);
    layout->addLayout(form);

    auto *group = new QGroupBox(QStringLiteral("Colors"), this);
    auto *groupLayout = new QVBoxLayout(group);
    m_colors = new QButtonGroup(this);
    const char *choices[] = {"Black and White", "16 Colors", "256 Colors", "High Color (16 bit)",
                             "True Color (24 bit)"};
    for (int i = 0; i < 5; ++i) {
        auto *b = new QRadioButton(QString::fromLatin1(choices[i]), group);
        m_colors->addButton(b, i);
        groupLayout->addWidget(b);
    }
    m_colors->button(1)->setChecked(true);
    layout->addWidget(group);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

PictureSize TSaveAttributesDialog::Size() const
{
    return pictureSize(m_width->Number(), m_height->Number(),
                       static_cast<int>(std::lround(m_resolution->Number())));
}

void TSaveAttributesDialog::accept()
{
    for (TGraphNumberField *f : {m_height, m_width, m_resolution}) {
        if (!f->Validate())
            return;
    }
    QDialog::accept();
}

} // namespace vorna
