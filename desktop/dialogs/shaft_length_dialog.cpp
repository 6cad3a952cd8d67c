#include "shaft_length_dialog.h"

#include "data_edit.h"
#include "program_data.h"

namespace vorna {

TfrmShaftLength::TfrmShaftLength(TProgramData &project, QWidget *parent)
    : TLoadingDialog(project, QStringLiteral("Drilled Shaft Length"),
                     QStringLiteral("Enter the proposed &length"), QStringLiteral("L2"), parent)
{
    refresh();
}

void TfrmShaftLength::loadFields()
{
    valueField()->SetNumber(project().proposedLength);
    TLoadingDialog::loadFields();
}

void TfrmShaftLength::storeFields()
{
    assign(project().proposedLength, valueOf(valueField()));
    if (project().proposedLength > 0.0)
        assign(project().designLoad, 0.0);
    TLoadingDialog::storeFields();
}

} // namespace vorna
