#include "paint/image/image_ops.h"

#include <sys/mman.h>
#include <QTransform>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

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

namespace {

// Results are plain pixels, as Resized makes them: the view that shows a
// picture decides its pixel ratio.
QImage AtRatioOne(QImage picture) {
  picture.setDevicePixelRatio(1.0);
  return picture;
}

// A row still to look at, next to a run already painted on the row `dy`
// away in the other direction: only pixels joined to [left, right] count.
struct Span {
  int y, left, right, dy;
};

}  // namespace

// Large ones ask for huge pages: faulting in tens of megabytes 4 KiB at a
// time can cost more than the work that fills them, many times more in a
// virtual machine.
QImage Fresh(QSize size, QImage::Format format) {
  constexpr size_t kHugePage = size_t{2} << 20;
  const size_t bytes = size_t(size.width()) * size_t(size.height()) * sizeof(QRgb);
  if (bytes < 4 * kHugePage) return QImage(size, format);
  const size_t whole = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* memory = std::aligned_alloc(kHugePage, whole);
  if (memory == nullptr) return {};
  madvise(memory, whole, MADV_HUGEPAGE);  // only advice: without it, plain pages
  return QImage(
      static_cast<uchar*>(memory), size.width(), size.height(),
      qsizetype(size.width()) * qsizetype(sizeof(QRgb)), format, [](void* m) { std::free(m); },
      memory);
}

QImage Cropped(const QImage& picture, const QRect& area) {
  const QRect kept = area.normalized() & picture.rect();
  if (kept.isEmpty()) return {};  // QImage::copy would take this for the whole picture
  if (picture.depth() != 32) return AtRatioOne(picture.copy(kept));
  QImage result = Fresh(kept.size(), picture.format());
  if (result.isNull()) return result;
  const size_t rowBytes = size_t(kept.width()) * sizeof(QRgb);
  for (int y = 0; y < kept.height(); ++y)
    std::memcpy(result.scanLine(y),
                picture.constScanLine(kept.top() + y) + kept.left() * sizeof(QRgb), rowBytes);
  return result;
}

QImage Scaled(const QImage& picture, const QSize& size) {
  if (picture.isNull() || size.isEmpty()) return {};
  return AtRatioOne(picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QImage Turned(const QImage& picture, Turn turn) {
  if (turn == Turn::kHalf) return Flipped(picture, Qt::Horizontal | Qt::Vertical);
  const bool clockwise = turn == Turn::kClockwise;
  if (picture.depth() != 32)
    return AtRatioOne(picture.transformed(QTransform().rotate(clockwise ? 90 : 270)));
  const int width = picture.width(), height = picture.height();
  QImage result = Fresh(QSize(height, width), picture.format());
  if (result.isNull()) return result;
  const auto* from = reinterpret_cast<const QRgb*>(picture.constBits());
  auto* to = reinterpret_cast<QRgb*>(result.bits());
  const qsizetype fromStride = picture.bytesPerLine() / 4, toStride = result.bytesPerLine() / 4;
  // Row y becomes column height-1-y (clockwise) or y; column x becomes row x
  // or width-1-x. Square tiles keep the rows read and written in the cache.
  const qsizetype firstColumn = clockwise ? height - 1 : 0, step = clockwise ? -1 : 1;
  constexpr int kTile = 32;
  for (int top = 0; top < height; top += kTile) {
    const int bottom = std::min(height, top + kTile);
    for (int left = 0; left < width; left += kTile) {
      const int right = std::min(width, left + kTile);
      for (int x = left; x < right; ++x) {
        QRgb* row = to + toStride * (clockwise ? x : width - 1 - x) + firstColumn;
        for (int y = top; y < bottom; ++y) row[step * y] = from[fromStride * y + x];
      }
    }
  }
  return result;
}

QImage Flipped(const QImage& picture, Qt::Orientations orientations) {
  const bool across = orientations.testFlag(Qt::Horizontal);
  const bool down = orientations.testFlag(Qt::Vertical);
  if (picture.depth() != 32) return AtRatioOne(picture.mirrored(across, down));
  const int width = picture.width(), height = picture.height();
  QImage result = Fresh(picture.size(), picture.format());
  if (result.isNull()) return result;
  for (int y = 0; y < height; ++y) {
    const auto* from =
        reinterpret_cast<const QRgb*>(picture.constScanLine(down ? height - 1 - y : y));
    auto* to = reinterpret_cast<QRgb*>(result.scanLine(y));
    if (across) {
      std::reverse_copy(from, from + width, to);
    } else {
      std::copy(from, from + width, to);
    }
  }
  return result;
}

QRect Fill(QImage& picture, QPoint at, QRgb colour, const std::function<void(const QRect&)>& keep) {
  if (picture.depth() != 32 || !picture.rect().contains(at)) return {};
  // Opaque formats store alpha as 0xff; written otherwise, pixels would read
  // back differently from what they show.
  if (!picture.hasAlphaChannel()) colour |= 0xff000000;
  const int width = picture.width(), height = picture.height();
  const qsizetype stride = picture.bytesPerLine() / qsizetype(sizeof(QRgb));
  const auto* row0 = reinterpret_cast<const QRgb*>(picture.constScanLine(at.y()));
  const QRgb target = row0[at.x()];
  if (target == colour) return {};
  auto* pixels = reinterpret_cast<QRgb*>(picture.bits());  // detaches once, not per row
  const auto line = [&](int y) { return pixels + stride * y; };

  int minX = at.x(), maxX = at.x(), minY = at.y(), maxY = at.y();
  // Paints the matching run through x on a row, and returns its ends.
  const auto paintRun = [&](int y, int x, int& left, int& right) {
    QRgb* row = line(y);
    left = x;
    while (left > 0 && row[left - 1] == target) --left;
    right = x;
    while (right + 1 < width && row[right + 1] == target) ++right;
    if (keep) keep(QRect(left, y, right - left + 1, 1));
    std::fill(row + left, row + right + 1, colour);
    minX = std::min(minX, left);
    maxX = std::max(maxX, right);
  };

  // Painted pixels no longer match, so no run is painted twice; the stack
  // lives on the heap so that huge areas cannot exhaust the thread's stack.
  std::vector<Span> todo;
  int left = 0, right = 0;
  paintRun(at.y(), at.x(), left, right);
  todo.push_back({at.y() - 1, left, right, -1});
  todo.push_back({at.y() + 1, left, right, 1});
  while (!todo.empty()) {
    const Span span = todo.back();
    todo.pop_back();
    if (span.y < 0 || span.y >= height) continue;
    QRgb* row = line(span.y);
    bool painted = false;
    for (int x = span.left; x <= span.right; ++x) {
      if (row[x] != target) continue;
      paintRun(span.y, x, left, right);
      painted = true;
      todo.push_back({span.y + span.dy, left, right, span.dy});
      // Where the run reaches past the one it came from, the row behind may
      // hold pixels reached only through here.
      if (left < span.left) todo.push_back({span.y - span.dy, left, span.left - 2, -span.dy});
      if (right > span.right) todo.push_back({span.y - span.dy, span.right + 2, right, -span.dy});
      x = right + 1;  // past the run and the pixel that ended it
    }
    if (painted) {
      minY = std::min(minY, span.y);
      maxY = std::max(maxY, span.y);
    }
  }
  return QRect(QPoint(minX, minY), QPoint(maxX, maxY));
}

}  // namespace paint
