#include "paint/image/adjustments.h"

#include <algorithm>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "paint/image/image_ops.h"

namespace paint {
namespace {

// Splits rows [0, count) among the cores when there are enough pixels to be
// worth a thread: a photo's adjustment is then a fraction of a second.
void ForRows(int count, qsizetype pixels, const std::function<void(int, int)>& work) {
  constexpr qsizetype kWorthAThread = qsizetype{1} << 18;
  const int cores = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1U, 8U));
  const int parts = pixels < kWorthAThread ? 1 : std::min(cores, std::max(count, 1));
  std::vector<std::thread> threads;
  for (int part = 1; part < parts; ++part)
    threads.emplace_back(work, count * part / parts, count * (part + 1) / parts);
  work(0, count / parts);
  for (std::thread& thread : threads) thread.join();
}

int Clamped(int value) {
  return std::clamp(value, 0, 255);
}

// One table for the three channels: brightness moves each level towards
// black or white in proportion (so black and white stay reachable), then
// contrast stretches the levels about the middle.
std::array<uchar, 256> Levels(int brightness, int contrast) {
  const double lift = std::clamp(brightness, -100, 100) / 100.0;
  const double spread = std::clamp(contrast, -100, 100) / 100.0;
  const double slope = spread <= 0 ? 1 + spread : 1 / (1 - 0.99 * spread);
  std::array<uchar, 256> table{};
  for (int level = 0; level < 256; ++level) {
    double x = level / 255.0;
    x = lift < 0 ? x * (1 + lift) : x + (1 - x) * lift;
    x = (x - 0.5) * slope + 0.5;
    table[level] = static_cast<uchar>(Clamped(static_cast<int>(std::lround(x * 255))));
  }
  return table;
}

// Each channel moved away from (or towards) the pixel's luma by a factor in
// 256ths, 0 grey and 256 unchanged, through tables: out = luma * (256 - f) +
// channel * f, in 256ths, clamped.
class Saturation {
 public:
  explicit Saturation(int factor) {
    for (int level = 0; level < 256; ++level) {
      fromLuma_[level] = level * (256 - factor) + 128;
      fromChannel_[level] = level * factor;
    }
    for (int sum = 0; sum < kClampSize; ++sum) clamp_[sum] = Clamped(sum - kClampOffset);
  }
  QRgb operator()(QRgb pixel) const {
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    const int base = fromLuma_[(77 * r + 150 * g + 29 * b + 128) >> 8];
    const auto channel = [&](int value) {
      return clamp_[((base + fromChannel_[value]) >> 8) + kClampOffset];
    };
    return qRgba(channel(r), channel(g), channel(b), qAlpha(pixel));
  }

 private:
  // Twice as vivid, a sum reaches from -255 to 510.
  static constexpr int kClampOffset = 256, kClampSize = 256 + 512 + 1;
  std::array<int, 256> fromLuma_{}, fromChannel_{};
  std::array<uchar, kClampSize> clamp_{};
};

QImage Coloured(const QImage& picture, const Adjustment& adjustment, const QRect& part) {
  QImage result = Fresh(part.size(), picture.format());
  if (result.isNull()) return result;
  const std::array<uchar, 256> table = Levels(adjustment.amount, adjustment.contrast);
  const Saturation saturate(adjustment.kind == Adjust::kGreyscale
                                ? 0
                                : 256 + std::clamp(adjustment.amount, -100, 100) * 256 / 100);
  const int width = part.width();
  ForRows(part.height(), qsizetype{width} * part.height(), [&](int from, int to) {
    for (int y = from; y < to; ++y) {
      const auto* in =
          reinterpret_cast<const QRgb*>(picture.constScanLine(part.top() + y)) + part.left();
      auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
      switch (adjustment.kind) {
        case Adjust::kBrightnessContrast:
          for (int x = 0; x < width; ++x)
            out[x] =
                qRgba(table[qRed(in[x])], table[qGreen(in[x])], table[qBlue(in[x])], qAlpha(in[x]));
          break;
        case Adjust::kSaturation:
        case Adjust::kGreyscale:
          for (int x = 0; x < width; ++x) out[x] = saturate(in[x]);
          break;
        default:  // kInvert; alpha is not a colour
          for (int x = 0; x < width; ++x) out[x] = in[x] ^ 0x00ffffffU;
          break;
      }
    }
  });
  return result;
}

// The angle in whole quarter turns clockwise (0 to 3), when it is one.
std::optional<int> Quarters(double degrees) {
  const double turns = std::fmod(degrees, 360.0) / 90.0;
  const double whole = std::round(turns);
  if (std::fabs(turns - whole) > 1e-9) return std::nullopt;
  return (static_cast<int>(whole) % 4 + 4) % 4;
}

// Two channels at a time: f of 256 parts towards b.
inline uint32_t Lerp(uint32_t a, uint32_t b, uint32_t f) {
  const uint32_t g = 256 - f;
  const uint32_t rb = (((a & 0xff00ffU) * g + (b & 0xff00ffU) * f) >> 8) & 0xff00ffU;
  const uint32_t ag = (((a >> 8) & 0xff00ffU) * g + ((b >> 8) & 0xff00ffU) * f) & 0xff00ff00U;
  return rb | ag;
}

// Four channels at a time where the processor has them: most of a turn's
// time is here.
inline QRgb Bilinear(const QRgb* p, qsizetype stride, uint32_t fx, uint32_t fy) {
#ifdef __SSE2__
  const __m128i zero = _mm_setzero_si128();
  const __m128i top = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), zero);
  const __m128i bottom =
      _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + stride)), zero);
  const auto down = static_cast<short>(fy), up = static_cast<short>(256 - fy);
  // Each channel times at most 256 stays within 16 bits, and so does the sum.
  const __m128i column =
      _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(top, _mm_set1_epi16(up)),
                                   _mm_mullo_epi16(bottom, _mm_set1_epi16(down))),
                     8);
  const auto right = static_cast<short>(fx), left = static_cast<short>(256 - fx);
  const __m128i weighed =
      _mm_mullo_epi16(column, _mm_set_epi16(right, right, right, right, left, left, left, left));
  const __m128i sum = _mm_srli_epi16(_mm_add_epi16(weighed, _mm_srli_si128(weighed, 8)), 8);
  return static_cast<QRgb>(_mm_cvtsi128_si32(_mm_packus_epi16(sum, zero)));
#else
  return Lerp(Lerp(p[0], p[1], fx), Lerp(p[stride], p[stride + 1], fx), fy);
#endif
}

// The steps x of a row, about, at which start + x * step (32 fraction bits)
// lies in [0, limit) on both axes; the caller trims the ends exactly.
std::pair<int, int> InsideSpan(int64_t u, int64_t du, int limitU, int64_t v, int64_t dv, int limitV,
                               int count) {
  double from = 0, to = count;
  const auto within = [&](double start, double step, double limit) {
    constexpr double kOne = 4294967296.0;
    start /= kOne;
    step /= kOne;
    if (step == 0) {
      if (start < 0 || start >= limit) to = from;
      return;
    }
    double a = -start / step, b = (limit - start) / step;
    if (a > b) std::swap(a, b);
    from = std::max(from, std::floor(a) - 1);
    to = std::min(to, std::ceil(b) + 1);
  };
  within(static_cast<double>(u), static_cast<double>(du), limitU);
  within(static_cast<double>(v), static_cast<double>(dv), limitV);
  if (to <= from) return {0, 0};
  return {static_cast<int>(from), static_cast<int>(to)};
}

// A smooth turn: each pixel of the result is the bilinear blend of the four
// source pixels around the point it comes from, in premultiplied colour so
// that transparent neighbours lend no colour. Points are stepped along a row
// in fixed point with 32 fraction bits: exact enough over any row.
QImage SmoothTurn(const QImage& picture, const Adjustment& adjustment, const QRect& part) {
  const bool alpha = picture.hasAlphaChannel();
  const bool opaque = !alpha && qAlpha(adjustment.corners) == 255;
  QImage result = Fresh(part.size(), opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
  if (result.isNull()) return result;
  const QSize whole = AdjustedSize(picture.size(), adjustment);
  const double radians = adjustment.degrees * std::numbers::pi / 180.0;
  const double c = std::cos(radians), s = std::sin(radians);
  const int width = picture.width(), height = picture.height();
  const QRgb outside = qPremultiply(opaque ? adjustment.corners | 0xff000000U : adjustment.corners);
  constexpr double kOne = 4294967296.0;  // 2^32
  const auto fixed = [](double value) { return static_cast<int64_t>(std::llround(value * kOne)); };
  const int64_t stepX = fixed(c), stepY = fixed(-s);
  const auto* bits = reinterpret_cast<const QRgb*>(picture.constBits());
  const qsizetype stride = picture.bytesPerLine() / qsizetype{sizeof(QRgb)};
  const auto tap = [&](int64_t x, int64_t y) -> QRgb {
    if (x < 0 || y < 0 || x >= width || y >= height) return outside;
    const QRgb pixel = bits[stride * y + x];
    return alpha ? qPremultiply(pixel) : pixel;
  };
  ForRows(part.height(), qsizetype{part.width()} * part.height(), [&](int from, int to) {
    for (int row = from; row < to; ++row) {
      // The centre of the row's first pixel, relative to the result's centre,
      // turned back into the source, less half a pixel: the top left of the
      // four pixels to blend.
      const double dx = part.left() + 0.5 - whole.width() / 2.0;
      const double dy = part.top() + row + 0.5 - whole.height() / 2.0;
      const int64_t u = fixed(dx * c + dy * s + width / 2.0 - 0.5);
      const int64_t v = fixed(-dx * s + dy * c + height / 2.0 - 0.5);
      auto* out = reinterpret_cast<QRgb*>(result.scanLine(row));
      // Where all four pixels are inside, a loop without checks.
      const auto inside = [&](int x) {
        const int64_t left = (u + stepX * x) >> 32, top = (v + stepY * x) >> 32;
        return left >= 0 && top >= 0 && left + 1 < width && top + 1 < height;
      };
      int first = 0, last = 0;  // translucent pixels all take the careful way
      if (!alpha) {
        const auto span = InsideSpan(u, stepX, width - 1, v, stepY, height - 1, part.width());
        first = std::max(span.first, 0);
        last = std::min(span.second, part.width());
        while (first < last && !inside(first)) ++first;
        while (last > first && !inside(last - 1)) --last;
      }
      const auto edge = [&](int x) {
        const int64_t pu = u + stepX * x, pv = v + stepY * x;
        const int64_t left = pu >> 32, top = pv >> 32;
        if (left < -1 || top < -1 || left >= width || top >= height)
          return opaque ? outside : qUnpremultiply(outside);
        const auto fx = static_cast<uint32_t>((pu >> 24) & 0xff);
        const auto fy = static_cast<uint32_t>((pv >> 24) & 0xff);
        const QRgb blend = Lerp(Lerp(tap(left, top), tap(left + 1, top), fx),
                                Lerp(tap(left, top + 1), tap(left + 1, top + 1), fx), fy);
        return opaque ? blend : qUnpremultiply(blend);
      };
      for (int x = 0; x < first; ++x) out[x] = edge(x);
      int64_t pu = u + stepX * first, pv = v + stepY * first;
      for (int x = first; x < last; ++x, pu += stepX, pv += stepY) {
        const QRgb* p = bits + stride * (pv >> 32) + (pu >> 32);
        const auto fx = static_cast<uint32_t>((pu >> 24) & 0xff);
        const auto fy = static_cast<uint32_t>((pv >> 24) & 0xff);
        out[x] = Bilinear(p, stride, fx, fy);
      }
      for (int x = std::max(last, first); x < part.width(); ++x) out[x] = edge(x);
    }
  });
  return result;
}

}  // namespace

QSize AdjustedSize(const QSize& size, const Adjustment& adjustment) {
  if (adjustment.kind != Adjust::kRotate) return size;
  if (const auto quarters = Quarters(adjustment.degrees))
    return *quarters % 2 == 0 ? size : size.transposed();
  const double radians = adjustment.degrees * std::numbers::pi / 180.0;
  const double c = std::fabs(std::cos(radians)), s = std::fabs(std::sin(radians));
  const auto side = [](double length) {
    return std::max(1, static_cast<int>(std::ceil(length - 1e-6)));
  };
  return {side(size.width() * c + size.height() * s), side(size.width() * s + size.height() * c)};
}

QImage AdjustedPart(const QImage& picture, const Adjustment& adjustment, const QRect& part) {
  if (picture.isNull() || picture.depth() != 32) return {};
  const QRect kept = part & QRect(QPoint(), AdjustedSize(picture.size(), adjustment));
  if (kept.isEmpty()) return {};
  if (adjustment.kind != Adjust::kRotate) return Coloured(picture, adjustment, kept);
  const auto quarters = Quarters(adjustment.degrees);
  if (!quarters) return SmoothTurn(picture, adjustment, kept);
  // Whole quarter turns move pixels exactly, as Image's own turns do.
  static constexpr Turn kTurns[] = {Turn::kClockwise, Turn::kHalf, Turn::kCounterClockwise};
  QImage turned = *quarters == 0 ? picture : Turned(picture, kTurns[*quarters - 1]);
  if (qAlpha(adjustment.corners) != 255 && !turned.hasAlphaChannel())
    turned = turned.convertToFormat(QImage::Format_ARGB32);
  QImage result = kept == turned.rect() ? turned : Cropped(turned, kept);
  result.setDevicePixelRatio(1.0);
  return result;
}

QImage Adjusted(const QImage& picture, const Adjustment& adjustment) {
  return AdjustedPart(picture, adjustment,
                      QRect(QPoint(), AdjustedSize(picture.size(), adjustment)));
}

}  // namespace paint
