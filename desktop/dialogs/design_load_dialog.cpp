#include "design_load_dialog.h"

#include "data_edit.h"
#include "program_data.h"

namespace vorna {

TfrmDesignLoad::TfrmDesignLoad(TProgramData &project, QWidget *parent)
    : TLoadingDialog(project, QStringLiteral("Specification of Design Load"),
                     QStringLiteral("Enter the &design load"), QStringLiteral("F2"), parent)
{
    refresh();
}

void TfrmDesignLoad::loadFields()
{
    valueField()->SetNumber(project().designLoad);
    TLoadingDialog::loadFields();
}

void TfrmDesignLoad::storeFields()
{
    assign(project().designLoad, valueOf(valueField()));
    if (project().designLoad > 0.0)
        assign(project().proposedLength, 0.0);
    TLoadingDialog::storeFields();
}

} // namespace vorna
