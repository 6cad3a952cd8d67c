// The "Factor of Safety (F.S.)" dialog of allowable stress design: the factors on side
// and base resistance.
#pragma once

#include "data_dialog.h"

namespace vorna {

class TfrmFactorOfSafety : public TDataDialog {
    Q_OBJECT
public:
    explicit TfrmFactorOfSafety(TProgramData &project, QWidget *parent = nullptr);

protected:
    void loadFields() override;
    void storeFields() override;
};

} // namespace vorna
