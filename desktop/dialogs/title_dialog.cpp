#include "title_dialog.h"

#include "program_data.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vorna {

TfrmTitle::TfrmTitle(TProgramData &project, QWidget *parent)
    : TDataDialog(project, QStringLiteral("Project Title"), parent)
{
    auto *label = new QLabel(QStringLiteral("Enter line of text for project description:"), this);
    m_title = new QLineEdit(this);
    m_title->setMaxLength(kMaxTitleLength);
    m_title->setMinimumWidth(fontMetrics().averageCharWidth() * 70);
    label->setBuddy(m_title);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_title);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
}

void TfrmTitle::loadFields()
{
    m_title->setText(project().title);
}

void TfrmTitle::storeFields()
{
    if (m_title->text() == project().title)
        return;
    project().title = m_title->text();
    markModified();
}

} // namespace vorna
