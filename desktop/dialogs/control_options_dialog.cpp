#include "control_options_dialog.h"

#include "data_edit.h"
#include "program_data.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vorna {

namespace {

QString chooseProgram(QWidget *parent, const QString &current)
{
    // "*" rather than "*.*" for all files: programs need no extension outside Windows.
    return QFileDialog::getOpenFileName(parent, QString(), current,
                                        QStringLiteral("Programs (*.exe *.com);;All Files (*)"));
}

} // namespace

TfrmControlOptions::TfrmControlOptions(TProgramData &project, QString &wordProcessor,
                                       QWidget *parent)
    : TDataDialog(project, QStringLiteral("Control Options"), parent),
      m_wordProcessor(wordProcessor), m_chooser(chooseProgram)
{
    auto *editorLabel = new QLabel(QStringLiteral("&Text Editor:"), this);
    m_editor = new QLineEdit(this);
    m_editor->setMinimumWidth(fontMetrics().averageCharWidth() * 45);
    editorLabel->setBuddy(m_editor);
    m_browse = new QPushButton(QStringLiteral("&Browse..."), this);
    m_browse->setAutoDefault(false);
    connect(m_browse, &QPushButton::clicked, this, &TfrmControlOptions::browse);
    auto *editorRow = new QHBoxLayout;
    editorRow->addWidget(editorLabel);
    editorRow->addWidget(m_editor, 1);
    editorRow->addWidget(m_browse);

    auto *increment = new QGridLayout;
    addField(increment, 0, QStringLiteral("Output Increment"), QStringLiteral("L2"), -1, false);
    increment->setColumnStretch(3, 1);

    auto *group = new QGroupBox(QStringLiteral("End Bearing in Sands"), this);
    m_interpolate =
        new QRadioButton(QStringLiteral("Use linear interpolation from zero at ground to "), group);
    auto *second = new QLabel(QStringLiteral("maximum values at 10 pile diameters."), group);
    second->setIndent(style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) + 6);
    m_anyDepth = new QRadioButton(QStringLiteral("Use maximum values at any depth"), group);
    m_modification = new QCheckBox(
        QStringLiteral("Apply modification factor for tip resistance in sand"), group);
    // The analysis has no such factor and the project file no place for it: the box shows
    // what the sand option implies and cannot be changed to no effect.
    m_modification->setEnabled(false);
    m_modification->setToolTip(QString::fromLatin1(kModificationToolTip));
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_interpolate);
    groupLayout->addWidget(second);
    groupLayout->addWidget(m_anyDepth);
    groupLayout->addWidget(m_modification);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(editorRow);
    layout->addLayout(increment);
    layout->addWidget(group);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
}

void TfrmControlOptions::loadFields()
{
    m_editor->setText(m_wordProcessor);
    fields()[0]->SetNumber(project().outputIncrement);
    const bool interpolate = project().endBearingOption == 1;
    m_interpolate->setChecked(interpolate);
    m_anyDepth->setChecked(!interpolate);
    m_modification->setChecked(interpolate);
}

void TfrmControlOptions::storeFields()
{
    m_wordProcessor = m_editor->text();
    assign(project().outputIncrement, valueOf(fields()[0]));
    assign(project().endBearingOption, m_interpolate->isChecked() ? 1 : 0);
}

void TfrmControlOptions::browse()
{
    const QString chosen = m_chooser ? m_chooser(this, m_editor->text()) : QString();
    if (!chosen.isEmpty())
        m_editor->setText(chosen);
}

} // namespace vorna
