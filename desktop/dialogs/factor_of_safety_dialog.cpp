#include "factor_of_safety_dialog.h"

#include "data_edit.h"
#include "program_data.h"

#include <QGridLayout>

namespace vorna {

TfrmFactorOfSafety::TfrmFactorOfSafety(TProgramData &project, QWidget *parent)
    : TDataDialog(project, QStringLiteral("Factor of Safety (F.S.)"), parent)
{
    auto *grid = new QGridLayout(this);
    addField(grid, 0, QStringLiteral("The F.S. applied to the ultimate &side friction"), {}, -1,
             true);
    addField(grid, 1, QStringLiteral("The F.S. applied to the ultimate &base capacity"), {}, -1,
             true);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
}

void TfrmFactorOfSafety::loadFields()
{
    fields()[0]->SetNumber(project().FST);
    fields()[1]->SetNumber(project().FSB);
}

void TfrmFactorOfSafety::storeFields()
{
    assign(project().FST, valueOf(fields()[0]));
    assign(project().FSB, valueOf(fields()[1]));
}

} // namespace vorna
