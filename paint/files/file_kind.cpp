#include "paint/files/file_kind.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <string_view>

#include "common/i18n.h"

namespace paint {
namespace {

using namespace std::string_view_literals;

bool Has(const QByteArray& bytes, qsizetype at, std::string_view magic) {
  const auto size = static_cast<qsizetype>(magic.size());
  return bytes.size() >= at + size && std::memcmp(bytes.constData() + at, magic.data(), size) == 0;
}

quint32 Big32(const QByteArray& bytes, qsizetype at) {
  return qFromBigEndian<quint32>(bytes.constData() + at);
}

// Kinds told by their first bytes, for files no installed reader takes.
struct Magic {
  qsizetype at;
  std::string_view bytes;
  const char* name;
};
constexpr Magic kMagics[] = {
    {4, "ftypheic"sv, "HEIF"}, {4, "ftypheix"sv, "HEIF"},  {4, "ftypmif1"sv, "HEIF"},
    {4, "ftyphevc"sv, "HEIF"}, {4, "ftypavif"sv, "AVIF"},  {0, "\xff\x0a"sv, "JPEG XL"},
    {4, "JXL "sv, "JPEG XL"},  {0, "8BPS"sv, "Photoshop"}, {0, "gimp xcf"sv, "GIMP"},
    {0, "II*\0"sv, "TIFF"},    {0, "MM\0*"sv, "TIFF"},     {0, "<svg"sv, "SVG"},
    {0, "<?xml"sv, "SVG"},
};

}  // namespace

QString UnreadableKind(const QByteArray& bytes, const QString& suffix) {
  // BMP versions 2 and 3 (52- and 56-byte headers) and compressed ones.
  if (Has(bytes, 0, "BM") && bytes.size() >= 34) {
    const auto header = qFromLittleEndian<quint32>(bytes.constData() + 14);
    const auto compression = qFromLittleEndian<quint32>(bytes.constData() + 30);
    if ((header != 12 && header != 40 && header != 64 && header != 108 && header != 124) ||
        compression > 3)
      return common::Tr("paint", "uses a kind of %1 that this system cannot read")
          .arg(QStringLiteral("BMP"));
  }
  // TGA has no signature: its header's image type, with the name's suffix.
  if (suffix.compare(QStringLiteral("tga"), Qt::CaseInsensitive) == 0 && bytes.size() >= 18) {
    const int type = static_cast<unsigned char>(bytes[2]);
    if (type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11)
      return common::Tr("paint", "uses a kind of %1 that this system cannot read")
          .arg(QStringLiteral("TGA"));
  }
  if (Has(bytes, 0, "RIFF"sv) && Has(bytes, 8, "WEBP"sv))
    return common::Tr("paint", "is a %1 image, which this system cannot read")
        .arg(QStringLiteral("WebP"));
  for (const Magic& magic : kMagics) {
    if (!Has(bytes, magic.at, magic.bytes)) continue;
    if (magic.name == "SVG"sv && !bytes.left(4096).contains("<svg")) continue;
    return common::Tr("paint", "is a %1 image, which this system cannot read")
        .arg(QString::fromLatin1(magic.name));
  }
  return {};
}

int PngFrames(const QByteArray& bytes) {
  if (!Has(bytes, 0, "\x89PNG\r\n\x1a\n")) return 1;
  // The animation control chunk comes before the first image data.
  for (qsizetype at = 8; at + 8 <= bytes.size();) {
    const quint32 length = Big32(bytes, at);
    if (Has(bytes, at + 4, "IDAT") || length > 0x7fffffffU) break;
    if (Has(bytes, at + 4, "acTL") && length >= 8 && at + 12 <= bytes.size()) {
      const quint32 frames = Big32(bytes, at + 8);
      return frames > 1 ? static_cast<int>(std::min<quint32>(frames, 1U << 30)) : 1;
    }
    at += 12 + static_cast<qsizetype>(length);
  }
  return 1;
}

bool JpegCutShort(const QByteArray& bytes) {
  if (!Has(bytes, 0, "\xff\xd8")) return false;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
  const qsizetype size = bytes.size();
  // Segments have lengths; entropy-coded data between them has none, and
  // holds 0xFF only before 0x00 or a restart marker.
  for (qsizetype at = 2; at + 1 < size;) {
    if (data[at] != 0xff) {
      ++at;
      continue;
    }
    const unsigned char marker = data[at + 1];
    if (marker == 0xd9) return false;  // the end
    if (marker == 0x00 || marker == 0xff || (marker >= 0xd0 && marker <= 0xd7) || marker == 0x01) {
      ++at;
      continue;
    }
    if (at + 3 >= size) return true;
    at += 2 + ((data[at + 2] << 8) | data[at + 3]);
  }
  return true;
}

}  // namespace paint
