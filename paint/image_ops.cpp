#include "paint/image_ops.h"

#include <algorithm>
#include <cstring>

namespace paint {

QImage Resized(const QImage& picture, const QSize& size, QRgb fill) {
  QImage result(size, picture.format());
  if (result.isNull()) return result;
  const int kept = std::min(picture.width(), size.width());
  const int keptRows = std::min(picture.height(), size.height());
  for (int y = 0; y < size.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
    int from = 0;
    if (y < keptRows) {
      std::memcpy(line, picture.constScanLine(y), static_cast<size_t>(kept) * sizeof(QRgb));
      from = kept;
    }
    std::fill(line + from, line + size.width(), fill);
  }
  return result;
}

}  // namespace paint
