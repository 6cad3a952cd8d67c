#include "water_table_dialog.h"

#include "data_edit.h"
#include "program_data.h"

#include <QGridLayout>

namespace vorna {

TfrmWaterTable::TfrmWaterTable(TProgramData &project, QWidget *parent)
    : TDataDialog(project, QStringLiteral("Water Table"), parent)
{
    auto *grid = new QGridLayout(this);
    addField(grid, 0, QStringLiteral("&Depth of water table"), QStringLiteral("L2"), -1, true);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
}

void TfrmWaterTable::loadFields()
{
    fields()[0]->SetNumber(project().shaftProperties[kWaterTableDepth]);
}

void TfrmWaterTable::storeFields()
{
    assign(project().shaftProperties[kWaterTableDepth], valueOf(fields()[0]));
}

} // namespace vorna
