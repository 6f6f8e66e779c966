#include "paint/image/adjustments.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <optional>
#include <thread>
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
// 256ths: 0 is grey, 256 unchanged.
QRgb Saturate(QRgb pixel, int factor) {
  const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
  const int luma = (77 * r + 150 * g + 29 * b + 128) >> 8;
  const auto channel = [&](int value) {
    return Clamped((luma * 256 + (value - luma) * factor + 128) >> 8);
  };
  return qRgba(channel(r), channel(g), channel(b), qAlpha(pixel));
}

QImage Coloured(const QImage& picture, const Adjustment& adjustment, const QRect& part) {
  QImage result = Fresh(part.size(), picture.format());
  if (result.isNull()) return result;
  const std::array<uchar, 256> table = Levels(adjustment.amount, adjustment.contrast);
  const int factor = adjustment.kind == Adjust::kGreyscale
                         ? 0
                         : 256 + std::clamp(adjustment.amount, -100, 100) * 256 / 100;
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
          for (int x = 0; x < width; ++x) out[x] = Saturate(in[x], factor);
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
      int64_t u = fixed(dx * c + dy * s + width / 2.0 - 0.5);
      int64_t v = fixed(-dx * s + dy * c + height / 2.0 - 0.5);
      auto* out = reinterpret_cast<QRgb*>(result.scanLine(row));
      for (int x = 0; x < part.width(); ++x, u += stepX, v += stepY) {
        const int64_t left = u >> 32, top = v >> 32;  // floor
        const auto fx = static_cast<uint32_t>((u >> 24) & 0xff);
        const auto fy = static_cast<uint32_t>((v >> 24) & 0xff);
        if (left >= 0 && top >= 0 && left + 1 < width && top + 1 < height && !alpha) {
          const QRgb* p = bits + stride * top + left;
          out[x] = Lerp(Lerp(p[0], p[1], fx), Lerp(p[stride], p[stride + 1], fx), fy);
          continue;
        }
        if (left < -1 || top < -1 || left >= width || top >= height) {
          out[x] = opaque ? outside : qUnpremultiply(outside);
          continue;
        }
        const QRgb blend = Lerp(Lerp(tap(left, top), tap(left + 1, top), fx),
                                Lerp(tap(left, top + 1), tap(left + 1, top + 1), fx), fy);
        out[x] = opaque ? blend : qUnpremultiply(blend);
      }
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
