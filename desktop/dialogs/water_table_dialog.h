// The "Water Table" dialog: the depth of the water table.
#pragma once

#include "data_dialog.h"

namespace vorna {

class TfrmWaterTable : public TDataDialog {
    Q_OBJECT
public:
    explicit TfrmWaterTable(TProgramData &project, QWidget *parent = nullptr);

protected:
    void loadFields() override;
    void storeFields() override;
};

} // namespace vorna
