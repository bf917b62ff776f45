#pragma once
// Decodes a JPEG (JFIF) picture with libjpeg. A damaged or foreign picture
// gives a null image, never a crash.

#include <QByteArray>
#include <QImage>

namespace solvar::dialogs {

QImage DecodeJpeg(const QByteArray& bytes);

}  // namespace solvar::dialogs
