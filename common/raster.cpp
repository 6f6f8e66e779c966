#include "common/raster.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "common/background.h"

namespace common {
namespace {

// Coordinates beyond this many pixels are clipped before a line is walked, so
// absurd input can not make a line take seconds.
constexpr int64_t kFar = int64_t{1} << 20;

int64_t IntegerSquareRoot(int64_t n) {
  if (n <= 0) return 0;
  auto root = static_cast<int64_t>(std::sqrt(static_cast<double>(n)));
  while (root * root > n) --root;
  while ((root + 1) * (root + 1) <= n) ++root;
  return root;
}

// Liang-Barsky: clips the segment to [lo, hi] on both axes; false if nothing
// of it is left.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double lo_x, double hi_x,
                 double lo_y, double hi_y) {
  double t0 = 0.0, t1 = 1.0;
  const double dx = x2 - x1, dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - lo_x, hi_x - x1, y1 - lo_y, hi_y - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  const double ox = x1, oy = y1;
  x1 = ox + t0 * dx;
  y1 = oy + t0 * dy;
  x2 = ox + t1 * dx;
  y2 = oy + t1 * dy;
  return true;
}

}  // namespace

Raster::Raster() {
  settled_->raster_ = this;
  TakeDirty();
}

Raster::~Raster() {
  const std::lock_guard<std::mutex> lock(settled_->mutex_);
  settled_->raster_ = nullptr;
}

void Raster::Resize(int width, int height, double ratio, QRgb fill) {
  ratio_ = std::max(ratio, 1.0);
  QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
  image.fill(fill);
  Adopt(std::move(image));
}

void Raster::SetImage(const QImage& image) {
  Adopt(image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                      : QImage::Format_RGB32));
}

void Raster::SetSize(int width, int height, QRgb fill) {
  FlushPending();
  QImage image(std::max(width, 0), std::max(height, 0), image_.format());
  image.fill(fill);
  {
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, image_);
  }
  Adopt(std::move(image));
}

void Raster::Adopt(QImage image, bool keep) {
  pending_.reset();
  image.setDevicePixelRatio(1);
  const std::lock_guard<std::mutex> lock(settled_->mutex_);
  if (keep) KeepWhole();
  image_ = std::move(image);
  ahead_.reset();
  width_ = image_.width();
  height_ = image_.height();
  across_ = Tiles::Across(image_.size());
  // Whatever changes now, the picture replaced is the original.
  kept_.assign(Tiles::Count(image_.size()), kNoNeed);
  // A picture handed over may still be shared by its giver: the pixels are
  // copied only if something is drawn while it is.
  bits_ = nullptr;
  stride_ = image_.bytesPerLine();
  shared_ = true;
  viewRect_ = QRect();  // enlarged anew at the next paint
  MarkDirty(0, 0, width_ - 1, height_ - 1);
}

void Raster::SetRatio(double ratio) {
  ratio = std::max(ratio, 1.0);
  if (ratio == ratio_) return;
  FlushPending();
  ratio_ = ratio;
  viewRect_ = QRect();
  MarkDirty(0, 0, width_ - 1, height_ - 1);
}

std::vector<int> Raster::Starts(int count, double ratio) {
  std::vector<int> starts(static_cast<size_t>(count) + 1);
  for (int i = 0; i < count; ++i) starts[i] = static_cast<int>(std::floor(i * ratio + 1e-9));
  starts[count] = static_cast<int>(std::ceil(count * ratio - 1e-9));
  return starts;
}

void Raster::CopyAhead() {
  // A small picture is copied in less than a millisecond when first drawn on.
  constexpr qsizetype kWorthIt = qsizetype{8} << 20;
  if (!shared_ || ahead_ || image_.isDetached() || image_.sizeInBytes() < kWorthIt) return;
  ahead_ = std::make_shared<Ahead>();
  // The source is held by others who only read it, and by this copy of it.
  Detach([ahead = ahead_, source = image_](const std::stop_token&) {
    QImage copy = source.copy();
    const std::lock_guard<std::mutex> lock(ahead->mutex);
    ahead->copy = std::move(copy);
    ahead->done = true;
    ahead->ready.notify_all();
  });
}

void Raster::Prepare() {
  if (pending_) FlushPending();
  if (shared_) {
    const std::lock_guard<std::mutex> settled(settled_->mutex_);
    if (ahead_) {
      std::unique_lock<std::mutex> lock(ahead_->mutex);
      ahead_->ready.wait(lock, [this] { return ahead_->done; });
      image_ = std::move(ahead_->copy);
      lock.unlock();
      ahead_.reset();
    }
    bits_ = image_.bits();  // detaches from the copies handed out, if still shared
    shared_ = false;
  }
}

void Raster::Fill(QRgb colour) {
  pending_.reset();  // everything is covered anyway
  if (keeping_) {
    // The picture filled is kept whole, and the fill gets fresh pixels.
    Adopt(QImage(image_.size(), image_.format()));
    bits_ = image_.bits();
    shared_ = false;
  } else if (shared_) {
    // Nothing of the shared pixels is kept: fresh ones, not a copy.
    ahead_.reset();
    image_ = QImage(image_.size(), image_.format());
    bits_ = image_.bits();
    shared_ = false;
  }
  image_.fill(colour);
  MarkDirty(0, 0, width_ - 1, height_ - 1);
}

// The fill loop of every box and disk: on a cache-line boundary its speed
// no longer shifts with the placement of unrelated code.
[[gnu::aligned(64)]] void Raster::Span(int64_t y, int64_t x1, int64_t x2, QRgb colour) {
  if (y < 0 || y >= height_) return;
  x1 = std::max<int64_t>(x1, 0);
  x2 = std::min<int64_t>(x2, width_ - 1);
  if (x1 > x2) return;
  QRgb* line = reinterpret_cast<QRgb*>(bits_ + y * stride_);
  const int64_t row = (y >> kTileShift) * across_;
  for (int64_t tile = x1 >> kTileShift; tile <= x2 >> kTileShift; ++tile)
    Keep(static_cast<int>(row + tile));
  std::fill(line + x1, line + x2 + 1, colour);
  MarkDirty(static_cast<int>(x1), static_cast<int>(y), static_cast<int>(x2), static_cast<int>(y));
}

[[gnu::aligned(64)]] void Raster::Line(int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                                       QRgb colour) {
  Prepare();
  if (std::max({std::abs(x1), std::abs(y1), std::abs(x2), std::abs(y2)}) > kFar) {
    double fx1 = x1, fy1 = y1, fx2 = x2, fy2 = y2;
    if (!ClipSegment(fx1, fy1, fx2, fy2, -1, width_, -1, height_)) return;
    x1 = std::llround(fx1);
    y1 = std::llround(fy1);
    x2 = std::llround(fx2);
    y2 = std::llround(fy2);
  }
  // Bresenham, walking from the first point to the second, both inked.
  const int64_t dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  const int64_t sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  int64_t error = dx + dy;
  for (;;) {
    SetPixel(static_cast<int>(std::clamp<int64_t>(x1, -1, width_)),
             static_cast<int>(std::clamp<int64_t>(y1, -1, height_)), colour);
    if (x1 == x2 && y1 == y2) break;
    const int64_t twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x1 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y1 += sy;
    }
  }
}

void Raster::FillBox(int64_t x1, int64_t y1, int64_t x2, int64_t y2, QRgb colour) {
  Prepare();
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  for (int64_t y = std::max<int64_t>(y1, 0); y <= std::min<int64_t>(y2, height_ - 1); ++y)
    Span(y, x1, x2, colour);
}

void Raster::Circle(int64_t cx, int64_t cy, int64_t radius, QRgb outline,
                    std::optional<QRgb> fill) {
  radius = std::abs(radius);
  if (fill && *fill == outline) {
    // A solid disk in one colour covers every smaller concentric one in that
    // colour, so of a run of them only the largest has to be drawn.
    if (pending_ && pending_->cx == cx && pending_->cy == cy && pending_->colour == outline) {
      pending_->radius = std::max(pending_->radius, radius);
      return;
    }
    Prepare();
    pending_ = Disk{cx, cy, radius, outline};
    return;
  }
  Prepare();
  DrawCircle(cx, cy, radius, outline, fill);
}

void Raster::FlushPending() {
  if (!pending_) return;
  const Disk disk = *pending_;
  pending_.reset();
  if (shared_) Prepare();
  DrawCircle(disk.cx, disk.cy, disk.radius, disk.colour, disk.colour);
}

void Raster::DrawCircle(int64_t cx, int64_t cy, int64_t radius, QRgb outline,
                        std::optional<QRgb> fill) {
  // A pixel belongs to the disk when its centre lies within radius + 1/2 of
  // the centre; the outline is the disk's pixels next to a pixel outside it.
  const int64_t limit = radius * radius + radius;
  auto halfWidth = [&](int64_t dy) -> int64_t {
    if (dy < -radius || dy > radius) return -1;
    return IntegerSquareRoot(limit - dy * dy);
  };
  const int64_t first = std::max(-radius, -cy);
  const int64_t last = std::min<int64_t>(radius, height_ - 1 - cy);
  for (int64_t dy = first; dy <= last; ++dy) {
    const int64_t y = cy + dy;
    const int64_t w = halfWidth(dy);
    const int64_t inner = std::min(halfWidth(dy - 1), halfWidth(dy + 1));
    const int64_t from = std::min(inner + 1, w);  // first outline offset
    if (fill && from > 0) Span(y, cx - from + 1, cx + from - 1, *fill);
    Span(y, cx - w, cx - from, outline);
    Span(y, cx + from, cx + w, outline);
  }
}

QRgb Raster::Pixel(int x, int y) {
  FlushPending();
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x];
}

QImage Raster::Image() {
  if (ratio_ == 1.0) return Picture();
  FlushPending();
  const std::vector<int> columns = Starts(width_, ratio_), rows = Starts(height_, ratio_);
  QImage device(std::max(columns[width_], 1), std::max(rows[height_], 1), image_.format());
  device.setDevicePixelRatio(ratio_);
  WriteBlocks(device, QRect(0, 0, width_, height_), QPoint(), columns, rows,
              [](const QRgb* pixel, int, int) { return *pixel; });
  return device;
}

void Raster::PaintOn(QPainter& painter, const QPoint& at, const QRect& view, QRgb outside) {
  FlushPending();
  TakeDirty();
  zoomedKey_ = ZoomedKey();  // a zoomed view is worked out anew when it is next used
  const QRect picture(0, 0, width_, height_);
  if (ratio_ == 1.0 && !HasAlpha() && picture.contains(view)) {
    painter.drawImage(at, image_, view);  // nothing to enlarge or compose
    return;
  }
  if (view != viewRect_ || outside != outside_ || view_.devicePixelRatio() != ratio_) {
    viewRect_ = view;
    outside_ = outside;
    viewColumns_ = Starts(view.width(), ratio_);
    viewRows_ = Starts(view.height(), ratio_);
    view_ = QImage(std::max(viewColumns_.back(), 1), std::max(viewRows_.back(), 1),
                   QImage::Format_RGB32);
    view_.setDevicePixelRatio(ratio_);
    stale_ = view;
  }
  Enlarge(stale_ & view);
  stale_ = QRect();
  painter.drawImage(at, view_);
}

// Each logical pixel of the rectangle (picture coordinates; the picture
// pixel at origin goes to the target's first block) as its block of device
// pixels, in the colour shown for it (given null outside the picture).
template <class Shown>
void Raster::WriteBlocks(QImage& target, const QRect& rect, const QPoint& origin,
                         const std::vector<int>& columns, const std::vector<int>& rows,
                         Shown shown) const {
  if (rect.isEmpty()) return;
  const int left = columns[rect.left() - origin.x()];
  const int right = columns[rect.right() + 1 - origin.x()];
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    const int v = y - origin.y();
    auto* first = reinterpret_cast<QRgb*>(target.scanLine(rows[v]));
    const auto* source =
        y >= 0 && y < height_ ? reinterpret_cast<const QRgb*>(image_.constScanLine(y)) : nullptr;
    for (int x = rect.left(); x <= rect.right(); ++x) {
      const QRgb colour = shown(source && x >= 0 && x < width_ ? source + x : nullptr, x, y);
      const int c = x - origin.x();
      std::fill(first + columns[c], first + columns[c + 1], colour);
    }
    for (int row = rows[v] + 1; row < rows[v + 1]; ++row)
      std::copy(first + left, first + right, reinterpret_cast<QRgb*>(target.scanLine(row)) + left);
  }
}

namespace {

// A translucent pixel as it shows over what is under it.
QRgb Over(QRgb pixel, QRgb background) {
  const int alpha = qAlpha(pixel);
  if (alpha == 255) return pixel;
  const auto mix = [alpha](int over, int under) {
    return (over * alpha + under * (255 - alpha) + 127) / 255;
  };
  return qRgb(mix(qRed(pixel), qRed(background)), mix(qGreen(pixel), qGreen(background)),
              mix(qBlue(pixel), qBlue(background)));
}

// Where each of `count` device pixels from a zoomed device position starts
// in picture pixels (one more entry: where the last one ends).
std::vector<int> Bounds(double from, int count, double scale) {
  std::vector<int> bounds(static_cast<size_t>(count) + 1);
  for (int i = 0; i <= count; ++i)
    bounds[i] = static_cast<int>(std::floor((from + i) / scale + 1e-9));
  return bounds;
}

}  // namespace

// The view's blocks: translucent pixels over the background, and the colour
// outside the picture where there is none.
void Raster::Enlarge(const QRect& rect) {
  WriteBlocks(view_, rect, viewRect_.topLeft(), viewColumns_, viewRows_,
              [this](const QRgb* pixel, int x, int y) {
                return pixel ? Over(*pixel, Checker(x, y)) : outside_;
              });
}

void Raster::PaintZoomed(QPainter& painter, const QPoint& at, const QPoint& origin,
                         const QSize& size, double zoom, QRgb outside) {
  FlushPending();
  TakeDirty();
  const ZoomedKey key{origin, size, zoom, ratio_, outside, width_, height_};
  const double scale = zoom * ratio_;
  const int columns = std::max(static_cast<int>(std::ceil(size.width() * ratio_ - 1e-9)), 1);
  const int rows = std::max(static_cast<int>(std::ceil(size.height() * ratio_ - 1e-9)), 1);
  QRect redo(0, 0, columns, rows);
  if (!(key == zoomedKey_)) {
    zoomedKey_ = key;
    zoomed_ = QImage(columns, rows, QImage::Format_RGB32);
    zoomed_.setDevicePixelRatio(ratio_);
    zoomedColumns_ = Bounds(origin.x() * ratio_, columns, scale);
    zoomedRows_ = Bounds(origin.y() * ratio_, rows, scale);
  } else if (stale_.isEmpty()) {
    redo = QRect();
  } else {
    // The device pixels that show a changed picture pixel.
    // Zoomed in, a picture pixel has a run of them, from first to last.
    const auto first = [](const std::vector<int>& bounds, int picture) {
      auto at = std::lower_bound(bounds.begin(), bounds.end(), picture);
      if (at == bounds.end() || *at > picture) --at;
      return static_cast<int>(at - bounds.begin());
    };
    const auto last = [](const std::vector<int>& bounds, int picture) {
      return static_cast<int>(std::upper_bound(bounds.begin(), bounds.end(), picture) -
                              bounds.begin()) -
             1;
    };
    const int left = std::max(first(zoomedColumns_, stale_.left()), 0);
    const int top = std::max(first(zoomedRows_, stale_.top()), 0);
    const int right = std::min(last(zoomedColumns_, stale_.right()), columns - 1);
    const int bottom = std::min(last(zoomedRows_, stale_.bottom()), rows - 1);
    redo = QRect(QPoint(left, top), QPoint(right, bottom));
  }
  stale_ = QRect();
  viewRect_ = QRect();  // the unzoomed view is painted anew when it is next used
  if (!redo.isEmpty()) PaintZoomedRows(redo);
  painter.drawImage(at, zoomed_);
}

void Raster::PaintZoomedRows(const QRect& device) {
  constexpr int kSamples = 3;
  const QRgb outside = zoomedKey_.outside;
  const double ratio = zoomedKey_.ratio;
  const QPointF from = QPointF(zoomedKey_.origin) * ratio;  // zoomed device pixels
  // The checkerboard under translucent pixels, in the view's logical pixels.
  const auto checker = [&](int x, int y) {
    return Checker(static_cast<int>((from.x() + x) / ratio),
                   static_cast<int>((from.y() + y) / ratio));
  };
  for (int y = device.top(); y <= device.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(zoomed_.scanLine(y));
    const int top = zoomedRows_[y], bottom = std::max(zoomedRows_[y + 1], top + 1);
    // A block row like the one above (zoomed in, opaque): a copy.
    if (y > device.top() && zoomedRows_[y - 1] == top && !HasAlpha()) {
      const auto* above = reinterpret_cast<const QRgb*>(zoomed_.constScanLine(y - 1));
      std::copy(above + device.left(), above + device.right() + 1, line + device.left());
      continue;
    }
    for (int x = device.left(); x <= device.right(); ++x) {
      const int left = zoomedColumns_[x], right = std::max(zoomedColumns_[x + 1], left + 1);
      if (left < 0 || top < 0 || left >= width_ || top >= height_) {
        line[x] = outside;
        continue;
      }
      const int last = std::min(right, width_), lastRow = std::min(bottom, height_);
      if (last - left == 1 && lastRow - top == 1) {
        const QRgb pixel = reinterpret_cast<const QRgb*>(image_.constScanLine(top))[left];
        line[x] = qAlpha(pixel) == 255 ? pixel : Over(pixel, checker(x, y));
        continue;
      }
      // The average, weighted by opacity, then over the checkerboard. A large
      // block is sampled evenly, at most kSamples a side: the samples stay
      // with the picture as it scrolls, so nothing shimmers.
      const int across = (last - left + kSamples - 1) / kSamples;
      const int down = (lastRow - top + kSamples - 1) / kSamples;
      int red = 0, green = 0, blue = 0, alpha = 0, count = 0;
      for (int row = top; row < lastRow; row += down) {
        const auto* source = reinterpret_cast<const QRgb*>(image_.constScanLine(row));
        for (int column = left; column < last; column += across, ++count) {
          const int opacity = qAlpha(source[column]);
          red += qRed(source[column]) * opacity;
          green += qGreen(source[column]) * opacity;
          blue += qBlue(source[column]) * opacity;
          alpha += opacity;
        }
      }
      if (alpha == 0) {
        line[x] = checker(x, y);
        continue;
      }
      const QRgb average = qRgba((red + alpha / 2) / alpha, (green + alpha / 2) / alpha,
                                 (blue + alpha / 2) / alpha, (alpha + count / 2) / count);
      line[x] = Over(average, checker(x, y));
    }
  }
}

QRect Raster::TakeDirty() {
  QRect dirty;
  if (dirtyLeft_ <= dirtyRight_ && dirtyTop_ <= dirtyBottom_)
    dirty = QRect(QPoint(dirtyLeft_, dirtyTop_), QPoint(dirtyRight_, dirtyBottom_));
  dirtyLeft_ = dirtyTop_ = INT_MAX;
  dirtyRight_ = dirtyBottom_ = INT_MIN;
  // The gesture's rectangle is gathered here, off the drawing's hot path.
  gesture_ |= dirty;
  stale_ |= dirty;
  dirty |= repaintOnly_;
  repaintOnly_ = QRect();
  return dirty;
}

QRect Raster::TakeGestureDirty() {
  FlushPending();
  const QRect recent = TakeDirty();
  repaintOnly_ = recent;
  const QRect gesture = gesture_;
  gesture_ = QRect();
  return gesture;
}

QImage Raster::Region(const QRect& rect) {
  FlushPending();
  const QRect clipped = rect & QRect(0, 0, width_, height_);
  return clipped.isEmpty() ? QImage() : image_.copy(clipped);
}

void Raster::PutRegion(const QPoint& at, const QImage& given) {
  const QImage pixels = given.convertToFormat(image_.format());  // shared if it is already
  const QRect clipped = QRect(at, pixels.size()) & QRect(0, 0, width_, height_);
  if (clipped.isEmpty()) return;
  Prepare();
  KeepRect(clipped);
  for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
    const auto* source =
        reinterpret_cast<const QRgb*>(pixels.constScanLine(y - at.y())) + (clipped.left() - at.x());
    std::copy_n(source, clipped.width(),
                reinterpret_cast<QRgb*>(bits_ + y * stride_) + clipped.left());
  }
  MarkDirty(clipped.left(), clipped.top(), clipped.right(), clipped.bottom());
}

void Raster::Modify(const std::function<QRect(QImage&, const KeepArea&)>& change) {
  Prepare();
  const QRect changed =
      change(image_, [this](const QRect& rect) { KeepRect(rect); }) & QRect(0, 0, width_, height_);
  bits_ = image_.bits();  // unshared: the same pixels
  if (!changed.isEmpty())
    MarkDirty(changed.left(), changed.top(), changed.right(), changed.bottom());
}

void Raster::KeepOriginals() {
  keeping_ = true;
  const std::lock_guard<std::mutex> lock(settled_->mutex_);
  originals_ = Originals{};
  ForgetKept();
}

void Raster::ForgetKept() {
  originals_.tiles = Tiles(image_.size(), image_.format());
  kept_.assign(Tiles::Count(image_.size()), keeping_ ? -1 : kNoNeed);
}

void Raster::KeepTile(int tile) {
  const std::lock_guard<std::mutex> lock(settled_->mutex_);
  try {
    originals_.tiles.Add(tile, image_);
    kept_[tile] = static_cast<int>(originals_.tiles.List().size()) - 1;
  } catch (const std::bad_alloc&) {
    originals_.lost = true;
    kept_[tile] = kNoNeed;
    ++settled_->version_;
  }
}

void Raster::KeepRect(const QRect& rect) {
  const QRect clipped = rect & QRect(0, 0, width_, height_);
  if (clipped.isEmpty()) return;
  for (int y = clipped.top() >> kTileShift; y <= clipped.bottom() >> kTileShift; ++y)
    for (int x = clipped.left() >> kTileShift; x <= clipped.right() >> kTileShift; ++x)
      Keep(y * across_ + x);
}

// Under the settled picture's lock: the picture about to be replaced, as it
// was before the tiles kept so far changed, becomes the original.
void Raster::KeepWhole() {
  if (!keeping_ || !originals_.whole.isNull() || originals_.lost) return;
  QImage old = std::move(image_);  // moved, not shared: putting the tiles back copies nothing
  originals_.tiles.Exchange(old);
  originals_.tiles = Tiles();
  originals_.whole = std::move(old);
}

Originals Raster::TakeOriginals() {
  FlushPending();  // a disk held back is part of the change
  Originals taken;
  {
    const std::lock_guard<std::mutex> lock(settled_->mutex_);
    taken = std::move(originals_);
    originals_ = Originals{};
    ForgetKept();
    if (!taken.Empty()) ++settled_->version_;
  }
  if (!taken.whole.isNull()) {
    if (taken.whole == image_) taken.whole = QImage();  // given back the same picture
  } else {
    taken.tiles.Settle(image_);
  }
  return taken;
}

bool Raster::Exchange(Originals& originals) {
  FlushPending();
  Q_ASSERT_X(originals_.Empty(), "Raster::Exchange", "changes not taken yet");
  if (!originals.whole.isNull()) {
    QImage replaced;
    {
      const std::lock_guard<std::mutex> lock(settled_->mutex_);
      ++settled_->version_;
      replaced = std::move(image_);
    }
    Adopt(std::exchange(originals.whole, QImage()), false);
    originals.whole = std::move(replaced);
  } else {
    const Tiles& tiles = originals.tiles;
    if (tiles.PictureSize() != image_.size() || tiles.Format() != image_.format()) return false;
    Prepare();
    QRect changed;
    const std::lock_guard<std::mutex> lock(settled_->mutex_);
    ++settled_->version_;
    originals.tiles.Exchange(image_);
    for (const Tiles::Tile& tile : tiles.List()) changed |= tiles.Rect(tile.index);
    if (!changed.isEmpty())
      MarkDirty(changed.left(), changed.top(), changed.right(), changed.bottom());
  }
  const std::lock_guard<std::mutex> lock(settled_->mutex_);
  ForgetKept();
  return true;
}

uint64_t SettledPicture::Version() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return version_;
}

std::optional<SettledPicture::Rows> SettledPicture::CopyRows(uint64_t version, int y, int count,
                                                             std::vector<uchar>& bytes) const {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (version_ != version || !raster_ || !raster_->keeping_ || raster_->originals_.lost)
    return std::nullopt;
  const QImage& whole = raster_->originals_.whole;
  const QImage& picture = whole.isNull() ? raster_->image_ : whole;
  const Rows rows{picture.size(), picture.format(), qsizetype{picture.width()} * 4,
                  std::max(0, std::min(count, picture.height() - y))};
  bytes.resize(static_cast<size_t>(rows.stride) * rows.count);
  for (int row = 0; row < rows.count; ++row) {
    auto* into = reinterpret_cast<QRgb*>(bytes.data() + row * rows.stride);
    const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y + row));
    if (!whole.isNull()) {
      std::copy_n(line, picture.width(), into);
      continue;
    }
    // Tiles changed since are read from what they were.
    const int tileRow = (y + row) >> Raster::kTileShift;
    const int inTile = (y + row) & (Tiles::kSide - 1);
    for (int x = 0; x < picture.width(); x += Tiles::kSide) {
      const int width = std::min(Tiles::kSide, picture.width() - x);
      const int at = raster_->kept_[tileRow * raster_->across_ + (x >> Raster::kTileShift)];
      if (at < 0 || at == Raster::kNoNeed) {
        std::copy_n(line + x, width, into + x);
        continue;
      }
      const Tiles::Tile& tile = raster_->originals_.tiles.List()[at];
      if (tile.pixels) {
        std::copy_n(tile.pixels.get() + static_cast<ptrdiff_t>(inTile) * Tiles::kSide, width,
                    into + x);
      } else {
        std::fill_n(into + x, width, tile.colour);
      }
    }
  }
  return rows;
}

}  // namespace common
