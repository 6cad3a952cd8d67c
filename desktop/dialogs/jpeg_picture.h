// The explanatory pictures of the dialogs are JPEG files, decoded with libjpeg.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vorna {

// The picture in the bytes, or a null image when they are not a JPEG picture that can be
// decoded (empty, truncated, corrupt or unreasonably large). Never throws.
QImage decodeJpeg(const QByteArray &bytes);

// The picture in a file (or a Qt resource path); a null image when the file is missing or
// cannot be decoded.
QImage loadJpegFile(const QString &fileName);

} // namespace vorna
