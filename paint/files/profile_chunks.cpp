#include "paint/files/profile_chunks.h"

#include <zlib.h>

#include <QtEndian>

namespace paint {

// libexiv2 writes a PNG's profile without the name the format requires,
// which strict readers refuse: it is named here.
void NamePngProfile(QByteArray& png) {
  const qsizetype type = png.indexOf("iCCP\0", 8);
  if (type < 12) return;
  const QByteArray named = QByteArray("iCCPICC profile") +
                           png.mid(type + 4, qFromBigEndian<quint32>(png.constData() + type - 4));
  QByteArray chunk(4, '\0');
  qToBigEndian<quint32>(quint32(named.size() - 4), chunk.data());
  chunk += named;
  QByteArray sum(4, '\0');
  qToBigEndian<quint32>(
      quint32(crc32(0, reinterpret_cast<const Bytef*>(named.constData()), uInt(named.size()))),
      sum.data());
  const quint32 length = qFromBigEndian<quint32>(png.constData() + type - 4);
  png.replace(type - 4, qsizetype(length) + 12, chunk + sum);
}

// libexiv2 names the profile it adds to a WebP that had no extended header
// "VP8X", like that header, which readers then refuse: it is named "ICCP".
void NameWebpProfile(QByteArray& webp) {
  for (qsizetype at = 12, chunk = 0; at + 8 <= webp.size(); ++chunk) {
    if (chunk > 0 && webp.mid(at, 4) == "VP8X") webp.replace(at, 4, "ICCP");
    const quint32 size = qFromLittleEndian<quint32>(webp.constData() + at + 4);
    at += 8 + qsizetype(size) + (size & 1);
  }
}

}  // namespace paint
