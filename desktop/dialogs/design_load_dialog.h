// The design-load dialog: the design load and the type of loading.
#pragma once

#include "loading_dialog.h"

namespace vorna {

class TfrmDesignLoad : public TLoadingDialog {
    Q_OBJECT
public:
    explicit TfrmDesignLoad(TProgramData &project, QWidget *parent = nullptr);

protected:
    void loadFields() override;
    // A load above 0 clears the proposed length: the project is designed by one or the other.
    void storeFields() override;
};

} // namespace vorna
