#pragma once

#include <QIODevice>
#include <QImage>
#include <QString>

namespace paint {

// Writes the picture as an uncompressed 32-bit TGA, transparency kept: Qt
// only reads TGA. Returns the reason of a failure, or an empty string.
QString WriteTga(QIODevice& device, const QImage& picture);

}  // namespace paint
