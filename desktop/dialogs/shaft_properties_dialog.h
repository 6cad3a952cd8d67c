// The "Drilled-Shaft Properties" dialog: the diameter range, the bell, the zones without
// side resistance and the shaft's modulus, beside a picture of a belled shaft.
#pragma once

#include "data_dialog.h"

namespace vorna {

class TfrmShaftProperties : public TDataDialog {
    Q_OBJECT
public:
    // The picture shipped with the program (a Qt resource).
    static const char *const kPictureFile;
    // The fixed explanatory text under the fields.
    static QString explanation();

    // pictureFile: the JPEG to show; a missing or unreadable file leaves the picture out.
    explicit TfrmShaftProperties(TProgramData &project, QWidget *parent = nullptr,
                                 const QString &pictureFile = QString::fromLatin1(kPictureFile));
    // False when the picture could not be loaded.
    bool hasPicture() const { return m_hasPicture; }

protected:
    void loadFields() override;
    void storeFields() override;

private:
    bool m_hasPicture = false;
};

} // namespace vorna
