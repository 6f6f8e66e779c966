#include "paint/files/tga_writer.h"

#include <QtEndian>

#include "common/i18n.h"

namespace paint {

// Top row first, with the version 2 footer that readers look for.
QString WriteTga(QIODevice& device, const QImage& picture) {
  const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32);
  if (pixels.isNull()) return common::Tr("paint", "there is not enough memory");
  QByteArray header(18, '\0');
  header[2] = 2;  // true colour, not run-length
  qToLittleEndian(static_cast<quint16>(pixels.width()), header.data() + 12);
  qToLittleEndian(static_cast<quint16>(pixels.height()), header.data() + 14);
  header[16] = 32;
  header[17] = 0x28;  // top row first, 8 bits of alpha
  bool written = device.write(header) == header.size();
  // ARGB32 lies in memory as TGA's blue, green, red, alpha.
  const qint64 row = qint64{pixels.width()} * 4;
  for (int y = 0; written && y < pixels.height(); ++y)
    written = device.write(reinterpret_cast<const char*>(pixels.constScanLine(y)), row) == row;
  static const QByteArray footer = QByteArray(8, '\0') + QByteArray("TRUEVISION-XFILE.", 18);
  written = written && device.write(footer) == footer.size();
  return written ? QString() : common::Tr("paint", "writing failed");
}

}  // namespace paint
