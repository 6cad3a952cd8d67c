#include "loading_dialog.h"

#include "data_edit.h"
#include "program_data.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vorna {

TLoadingDialog::TLoadingDialog(TProgramData &project, const QString &caption,
                               const QString &valueCaption, const QString &unitCode,
                               QWidget *parent)
    : TDataDialog(project, caption, parent)
{
    auto *top = new QGridLayout;
    m_value = addField(top, 0, valueCaption, unitCode, -1, true);

    auto *group = new QGroupBox(QStringLiteral("Type of Loading"), this);
    m_compression = new QRadioButton(QStringLiteral("C&ompression"), group);
    m_uplift = new QRadioButton(QStringLiteral("&Uplift "), group);
    auto *reduction = new QGridLayout;
    m_reduction = addField(reduction, 0, QStringLiteral("&Reduction factor for uplift loading"), {},
                           1, false);
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_compression);
    groupLayout->addWidget(m_uplift);
    groupLayout->addLayout(reduction);
    connect(m_uplift, &QRadioButton::toggled, m_reduction, &QWidget::setEnabled);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TLoadingDialog::loadFields()
{
    const bool uplift = project().loadingType != LoadingType::Compression;
    m_compression->setChecked(!uplift);
    m_uplift->setChecked(uplift);
    m_reduction->setEnabled(uplift);
    m_reduction->SetNumber(project().upliftFactor);
}

void TLoadingDialog::storeFields()
{
    const bool uplift = m_uplift->isChecked();
    assign(project().loadingType, uplift ? LoadingType::Uplift : LoadingType::Compression);
    assign(project().upliftFactor, uplift ? valueOf(m_reduction) : 1.0);
}

} // namespace vorna
