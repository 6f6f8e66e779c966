#include "paint/files/compression.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace paint {
namespace {

// ---------------------------------------------------------------- JPEG

// The tables the IJG encoder (libjpeg, used by Qt, GIMP and most programs)
// scales by quality: the JPEG standard's examples, in natural order.
constexpr std::array<int, 64> kLuminance = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr std::array<int, 64> kChrominance = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
    99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

// Where each value of a stored table, which runs in zigzag order, stands.
constexpr std::array<int, 64> kZigzag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

using Table = std::array<int, 64>;

// What the headers before the first scan say.
struct JpegHeaders {
  std::array<Table, 4> tables{};
  std::array<bool, 4> defined{};
  struct Component {
    int h, v, table;
  };
  std::vector<Component> components;  // of the frame; empty when none was read
};

// False for tables that cannot be right; stops quietly where the bytes end.
bool ReadJpegHeaders(const QByteArray& bytes, JpegHeaders& headers) {
  const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
  const qsizetype size = bytes.size();
  if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) return false;
  qsizetype at = 2;
  while (at < size && data[at] == 0xFF) {
    while (at < size && data[at] == 0xFF) ++at;  // fill bytes
    if (at >= size) break;
    const int marker = data[at++];
    if (marker == 0xDA || marker == 0xD9) break;  // the first scan, or the end
    if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) continue;  // no length
    if (at + 2 > size) break;
    const int length = qFromBigEndian<quint16>(data + at);
    if (length < 2 || at + length > size) break;
    const uchar* segment = data + at + 2;
    const uchar* end = data + at + length;
    if (marker == 0xDB) {
      while (segment < end) {
        const int precision = *segment >> 4, id = *segment & 15;
        const qsizetype width = precision ? 2 : 1;
        ++segment;
        if (precision > 1 || id > 3 || end - segment < 64 * width) return false;
        for (int i = 0; i < 64; ++i, segment += width)
          headers.tables[id][kZigzag[i]] = precision ? qFromBigEndian<quint16>(segment) : *segment;
        headers.defined[id] = true;
      }
    } else if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
               marker != 0xCC) {
      // A frame header: precision, height, width, then three bytes a component.
      if (end - segment < 6) return false;
      const qsizetype count = segment[5];
      if (count == 0 || end - segment < 6 + 3 * count) return false;
      headers.components.clear();
      for (qsizetype i = 0; i < count; ++i) {
        const uchar* component = segment + 6 + 3 * i;
        headers.components.push_back({component[1] >> 4, component[1] & 15, component[2]});
      }
    }
    at += length;
  }
  return true;
}

// A table of the IJG encoder at a quality, as jpeg_set_quality makes it.
int Scaled(int value, int quality, int most) {
  const int scale = quality < 50 ? 5000 / quality : 200 - quality * 2;
  return std::clamp((value * scale + 50) / 100, 1, most);
}

Compression EstimateJpeg(const QByteArray& head) {
  JpegHeaders headers;
  if (!ReadJpegHeaders(head, headers)) return {};
  // The first component is the brightness; with colour, the second uses the
  // colour table. Without a frame header, tables 0 and 1 by custom.
  int luminance = 0, chrominance = 1;
  if (!headers.components.empty()) {
    luminance = headers.components[0].table;
    chrominance = headers.components.size() >= 3 ? headers.components[1].table : -1;
  }
  const auto defined = [&](int id) { return id >= 0 && id < 4 && headers.defined[id]; };
  if (!defined(luminance)) return {};
  if (!defined(chrominance) || chrominance == luminance) chrominance = -1;
  // Tables over 255 were made without the baseline limit.
  int largest = 0;
  for (int id : {luminance, chrominance})
    if (id >= 0) largest = std::max(largest, *std::ranges::max_element(headers.tables[id]));
  const int most = largest > 255 ? 32767 : 255;

  Compression result;
  long best = -1;
  // The quality whose tables are closest; on a tie the higher, so that
  // saving never comes out softer than the file was.
  for (int quality = 1; quality <= 100; ++quality) {
    long distance = 0;
    for (int i = 0; i < 64; ++i) {
      distance += std::abs(headers.tables[luminance][i] - Scaled(kLuminance[i], quality, most));
      if (chrominance >= 0)
        distance +=
            std::abs(headers.tables[chrominance][i] - Scaled(kChrominance[i], quality, most));
    }
    if (best < 0 || distance <= best) {
      best = distance;
      result.quality = quality;
    }
  }
  const auto& parts = headers.components;
  result.fullChroma = parts.size() >= 3 && std::all_of(parts.begin(), parts.end(), [&](auto& c) {
                        return c.h == parts[0].h && c.v == parts[0].v;
                      });
  return result;
}

// ---------------------------------------------------------------- WebP

// The base quantizer index (0 finest .. 127 coarsest) that Qt's WebP writer
// (libwebp) puts in a lossy file at each quality 1..99, measured by writing
// pictures at every quality and reading the headers back. With segments (any
// picture of more than a few blocks) the coarsest segment's index is the
// same whatever the picture holds, while their average depends on it;
// without (tiny pictures) the single index follows another curve.
constexpr std::array<int, 99> kSegmentedIndex = {
    115, 111, 107, 104, 102, 100, 98, 96, 94, 92, 90, 89, 87, 86, 85, 83, 82, 81, 80, 78,
    77,  76,  75,  74,  73,  72,  71, 70, 69, 68, 67, 66, 65, 64, 64, 63, 62, 61, 60, 59,
    59,  58,  57,  56,  55,  55,  54, 53, 52, 52, 51, 50, 50, 49, 48, 48, 47, 46, 46, 45,
    44,  44,  43,  42,  42,  41,  40, 40, 39, 39, 38, 37, 37, 36, 36, 34, 32, 30, 29, 27,
    26,  24,  23,  21,  20,  18,  17, 15, 14, 12, 11, 10, 8,  7,  6,  5,  3,  2,  1};
constexpr std::array<int, 99> kSingleIndex = {
    103, 96, 92, 89, 86, 83, 81, 79, 77, 75, 73, 72, 70, 69, 68, 66, 65, 64, 63, 62,
    61,  60, 59, 58, 57, 56, 55, 54, 53, 52, 51, 51, 50, 49, 48, 48, 47, 46, 45, 45,
    44,  43, 43, 42, 41, 41, 40, 40, 39, 38, 38, 37, 37, 36, 36, 35, 35, 34, 33, 33,
    32,  32, 31, 31, 30, 30, 29, 29, 28, 28, 28, 27, 27, 26, 26, 24, 23, 22, 21, 19,
    18,  17, 16, 15, 14, 13, 12, 11, 10, 9,  8,  7,  6,  5,  4,  3,  2,  1,  0};

// The quality whose index is nearest; among equals the highest, which
// writes the same index.
int QualityOfIndex(const std::array<int, 99>& indices, int index) {
  int quality = 1;
  for (int q = 1; q <= 99; ++q)
    if (std::abs(indices[q - 1] - index) <= std::abs(indices[quality - 1] - index)) quality = q;
  return quality;
}

// Reads a VP8 frame header's first partition, whose values are
// arithmetic-coded bit by bit (RFC 6386, section 7).
class BoolReader {
 public:
  BoolReader(const uchar* data, qsizetype size) : at_(data), end_(data + size) {
    value_ = Next() << 8;
    value_ |= Next();
  }
  int Bit(int probability) {
    const unsigned split = 1 + (((range_ - 1) * probability) >> 8);
    int bit = 0;
    if (value_ >= split << 8) {
      bit = 1;
      range_ -= split;
      value_ -= split << 8;
    } else {
      range_ = split;
    }
    while (range_ < 128) {
      value_ <<= 1;
      range_ <<= 1;
      if (++bits_ == 8) {
        bits_ = 0;
        value_ |= Next();
      }
    }
    return bit;
  }
  int Literal(int bits) {
    int value = 0;
    while (bits-- > 0) value = value << 1 | Bit(128);
    return value;
  }
  int Signed(int bits) {
    const int magnitude = Literal(bits);
    return Bit(128) ? -magnitude : magnitude;
  }
  // The bytes read ahead went beyond the data: the last values read may
  // have come out otherwise with the rest of it there.
  bool Overran() const { return past_ > 0; }

 private:
  unsigned Next() {
    if (at_ < end_) return *at_++;
    ++past_;
    return 0;
  }
  const uchar* at_;
  const uchar* end_;
  unsigned value_ = 0, range_ = 255;
  int bits_ = 0, past_ = 0;
};

Compression EstimateVp8(const uchar* frame, qsizetype size) {
  // A key frame: a 3-byte tag, the start code, the width and height.
  if (size < 10 || (frame[0] & 1) != 0 || frame[3] != 0x9D || frame[4] != 0x01 || frame[5] != 0x2A)
    return {};
  const qsizetype partition = (frame[0] | frame[1] << 8 | frame[2] << 16) >> 5;
  BoolReader in(frame + 10, std::min(partition, size - 10));
  in.Literal(2);  // colour space, clamping
  const bool segmented = in.Literal(1);
  bool segmentQuantizers = false, absolute = false;
  std::array<int, 4> quantizers{};
  if (segmented) {
    const bool updateMap = in.Literal(1);
    if (in.Literal(1)) {
      segmentQuantizers = true;
      absolute = in.Literal(1);
      for (int& quantizer : quantizers) quantizer = in.Literal(1) ? in.Signed(7) : 0;
      for (int i = 0; i < 4; ++i)
        if (in.Literal(1)) in.Signed(6);  // loop filter levels
    }
    if (updateMap)
      for (int i = 0; i < 3; ++i)
        if (in.Literal(1)) in.Literal(8);
  }
  in.Literal(1 + 6 + 3);  // filter type, level, sharpness
  if (in.Literal(1) && in.Literal(1))
    for (int i = 0; i < 8; ++i)
      if (in.Literal(1)) in.Signed(6);  // filter adjustments by reference and mode
  in.Literal(2);                        // partitions
  const int base = in.Literal(7);
  if (in.Overran()) return {};
  int index = base;
  if (segmentQuantizers) {
    index = 0;
    for (int quantizer : quantizers)
      index = std::max(index, std::clamp(absolute ? quantizer : base + quantizer, 0, 127));
  }
  Compression result;
  result.quality = QualityOfIndex(segmented ? kSegmentedIndex : kSingleIndex, index);
  return result;
}

Compression EstimateWebp(const QByteArray& head) {
  const auto* data = reinterpret_cast<const uchar*>(head.constData());
  const qsizetype size = head.size();
  if (size < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WEBP") return {};
  qint64 at = 12;
  while (at + 8 <= size) {
    const QByteArray name = head.mid(at, 4);
    const qint64 length = qFromLittleEndian<quint32>(data + at + 4);
    const qint64 payload = at + 8;
    const qsizetype available = qsizetype(std::min<qint64>(length, size - payload));
    if (name == "VP8L") {
      Compression result;
      result.quality = 100;
      result.lossless = true;
      return result;
    }
    if (name == "VP8 ") return EstimateVp8(data + payload, available);
    if (name == "ANMF") {
      // An animation: the first frame's chunks follow its 16-byte header.
      if (length < 16) return {};
      at = payload + 16;
      continue;
    }
    at = payload + length + (length & 1);
  }
  return {};
}

}  // namespace

Compression EstimateCompression(const QByteArray& head, const QByteArray& format) {
  const QByteArray name = format.toLower();
  if (name == "jpeg" || name == "jpg") return EstimateJpeg(head);
  if (name == "webp") return EstimateWebp(head);
  return {};
}

}  // namespace paint
