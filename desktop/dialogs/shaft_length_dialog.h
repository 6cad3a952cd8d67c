// The "Drilled Shaft Length" dialog: the proposed shaft length and the type of loading.
#pragma once

#include "loading_dialog.h"

namespace vorna {

class TfrmShaftLength : public TLoadingDialog {
    Q_OBJECT
public:
    explicit TfrmShaftLength(TProgramData &project, QWidget *parent = nullptr);

protected:
    void loadFields() override;
    // A length above 0 clears the design load: the project is designed by one or the other.
    void storeFields() override;
};

} // namespace vorna
