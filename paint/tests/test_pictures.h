#pragma once

#include <QImage>

namespace paint {

// A picture whose every pixel differs from its neighbours, and whose alpha
// varies too in a format that has it.
inline QImage Pattern(int width, int height, QImage::Format format) {
  QImage image(width, height, format);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y,
                     qRgba(x * 37 + y, y * 11, (x ^ y) * 5,
                           format == QImage::Format_ARGB32 ? (x * 29) & 255 : 255));
  return image;
}

}  // namespace paint
