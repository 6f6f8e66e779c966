#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <climits>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "common/tiles.h"

namespace common {

class Raster;

// The picture as of the last Raster::TakeOriginals, for another thread to
// copy while drawing goes on: every change that makes a copy of it stale
// counts up the version.
class SettledPicture {
 public:
  uint64_t Version() const;
  // Rows copied: the picture's size and format, and the rows' layout.
  struct Rows {
    QSize size;
    QImage::Format format;
    qsizetype stride;
    int count;  // none past the last row
  };
  // Copies up to `count` rows from row `y` on into `bytes` while the picture
  // is still the version given; nothing once it is not.
  std::optional<Rows> CopyRows(uint64_t version, int y, int count, std::vector<uchar>& bytes) const;

 private:
  friend class Raster;
  mutable std::mutex mutex_;
  const Raster* raster_ = nullptr;
  uint64_t version_ = 0;
};

// The pixels of a picture, kept at logical resolution. Shown on a high-DPI
// screen, each logical pixel becomes a block of device pixels, so the canvas
// is crisp and shows exactly the 96-DPI picture, enlarged; only the part in
// view is enlarged, so the picture costs the same at every ratio.
class Raster {
 public:
  Raster();
  ~Raster();
  Raster(const Raster&) = delete;
  Raster& operator=(const Raster&) = delete;

  void Resize(int width, int height, double ratio, QRgb fill);
  // Changes the device pixel ratio, keeping the picture.
  void SetRatio(double ratio);
  // Takes the image as the picture, with its own size (and its alpha, if it
  // has any).
  void SetImage(const QImage& image);
  // A new size that keeps the top-left content and fills new area.
  void SetSize(int width, int height, QRgb fill);
  bool HasAlpha() const { return image_.hasAlphaChannel(); }
  // The picture is still shared with work aside (a save, a print): the copy
  // the first drawing needs is made now, off this thread (a detached job),
  // so that drawing finds it ready instead of making it.
  void CopyAhead();

  int width() const { return width_; }
  int height() const { return height_; }
  double ratio() const { return ratio_; }

  void Fill(QRgb colour);
  void SetPixel(int x, int y, QRgb colour) {
    if (static_cast<unsigned>(x) >= static_cast<unsigned>(width_) ||
        static_cast<unsigned>(y) >= static_cast<unsigned>(height_))
      return;
    if (pending_ || shared_) Prepare();
    QRgb* pixel = reinterpret_cast<QRgb*>(bits_ + y * stride_) + x;
    if (*pixel == colour) return;
    Keep((y >> kTileShift) * across_ + (x >> kTileShift));
    *pixel = colour;
    MarkDirty(x, y, x, y);
  }
  // Both end points inked.
  void Line(int64_t x1, int64_t y1, int64_t x2, int64_t y2, QRgb colour);
  // The box with the two points as opposite corners, both included.
  void FillBox(int64_t x1, int64_t y1, int64_t x2, int64_t y2, QRgb colour);
  // A circle of integer radius around (cx, cy): the outline, and with a fill
  // colour the inside too. A solid circle in one colour is held back while
  // concentric ones that cover it follow, since only the largest shows.
  void Circle(int64_t cx, int64_t cy, int64_t radius, QRgb outline, std::optional<QRgb> fill);

  // The cheap case of Circle: a solid disk concentric with the one held back,
  // in its colour (the caller knows that). False when none is held back.
  bool GrowPendingDisk(int64_t radius) {
    if (!pending_) return false;
    if (radius > pending_->radius) pending_->radius = radius;
    return true;
  }

  // Draws what is held back; every read of the pixels does this first.
  void FlushPending();
  QRgb Pixel(int x, int y);
  // The whole picture's device pixels, each logical pixel a block.
  QImage Image();
  // The picture at logical resolution, shared: the next drawing copies it
  // (see CopyAhead).
  QImage Picture() {
    FlushPending();
    shared_ = true;
    return image_;
  }
  // Paints the part of the picture in view (logical rectangle, which may
  // reach past the picture) with its top left at a logical point: translucent
  // pixels over a light checkerboard, and no picture in another colour.
  void PaintOn(QPainter& painter, const QPoint& at, const QRect& view, QRgb outside);
  // The checkerboard's colour at a logical point of the view.
  static QRgb Checker(int x, int y) {
    constexpr int kSquare = 8;
    return ((x / kSquare + y / kSquare) & 1) != 0 ? 0xFFD6D6D6 : 0xFFFFFFFF;
  }

  // The same at a zoom other than 1: `origin` is the view's top left in
  // zoomed logical pixels and `size` its logical size. Zoomed in, each
  // picture pixel is a block of device pixels; zoomed out, each device pixel
  // is the average of the picture pixels under it, on a grid fixed to the
  // picture, so that scrolling does not shimmer. Only what changed since the
  // last paint is worked out again.
  void PaintZoomed(QPainter& painter, const QPoint& at, const QPoint& origin, const QSize& size,
                   double zoom, QRgb outside);

  // The logical rectangle changed since the last TakeDirty.
  QRect TakeDirty();

  // Undo's view of the pixels, at logical resolution: every drawing writes
  // whole blocks, so one device pixel stands for its logical pixel exactly.
  // The logical rectangle changed since the last TakeGestureDirty (what is
  // held back included); repaints still get it from TakeDirty.
  QRect TakeGestureDirty();
  // Something was drawn since the last TakeGestureDirty.
  bool Drawn() const { return pending_ || dirtyLeft_ <= dirtyRight_ || !gesture_.isEmpty(); }
  // A copy of a logical rectangle (clipped to the picture), in the
  // picture's format.
  QImage Region(const QRect& rect);
  // Writes logical pixels, alpha included, with their top left at a logical
  // point, clipped to the picture.
  void PutRegion(const QPoint& at, const QImage& given);
  // Changes the logical pixels in place through a function that returns the
  // rectangle it changed: a fill of a whole photo copies nothing. Before it
  // writes anywhere, it calls `keep` with a rectangle that holds the place;
  // what it writes elsewhere cannot be taken back.
  using KeepArea = std::function<void(const QRect&)>;
  void Modify(const std::function<QRect(QImage&, const KeepArea&)>& change);

  // From now on, the first change to each tile of the picture after a
  // TakeOriginals keeps a copy of the tile as it was, and a new picture (a
  // new size, a fill) keeps the one it replaced: undo costs what a change
  // replaced, not a second picture.
  void KeepOriginals();
  // What the changes since the last call replaced, less what is back as it
  // was; `lost` when memory ran out to keep it.
  Originals TakeOriginals();
  // Puts originals back in the picture and leaves in them what they
  // replaced, so that a second exchange undoes the first. False, changing
  // nothing, when they are tiles of a picture of another size.
  bool Exchange(Originals& originals);
  std::shared_ptr<const SettledPicture> Settled() const { return settled_; }

 private:
  friend class SettledPicture;
  struct Disk {
    int64_t cx, cy, radius;
    QRgb colour;
  };

  // Before a write: draws what is held back and unshares the pixels.
  void Prepare();
  // Keeps a new picture, and (`keep`) the one it replaces as the original.
  void Adopt(QImage image, bool keep = true);
  static constexpr int kTileShift = 6;
  static_assert(Tiles::kSide == 1 << kTileShift);
  // A tile that needs no keeping: kept whole, or nothing is being kept.
  static constexpr int kNoNeed = INT_MAX;
  void Keep(int tile) {
    if (kept_[tile] < 0) KeepTile(tile);
  }
  void KeepTile(int tile);
  void KeepRect(const QRect& rect);
  void KeepWhole();
  // For the originals: kept_ as no tile is kept yet.
  void ForgetKept();
  // Writes the blocks of the view's device pixels for a logical rectangle.
  void Enlarge(const QRect& rect);
  template <class Shown>
  void WriteBlocks(QImage& target, const QRect& rect, const QPoint& origin,
                   const std::vector<int>& columns, const std::vector<int>& rows,
                   Shown shown) const;
  void Span(int64_t y, int64_t x1, int64_t x2, QRgb colour);
  void DrawCircle(int64_t cx, int64_t cy, int64_t radius, QRgb outline, std::optional<QRgb> fill);
  void MarkDirty(int x1, int y1, int x2, int y2) {
    if (x1 < dirtyLeft_) dirtyLeft_ = x1;
    if (y1 < dirtyTop_) dirtyTop_ = y1;
    if (x2 > dirtyRight_) dirtyRight_ = x2;
    if (y2 > dirtyBottom_) dirtyBottom_ = y2;
  }
  // Device column where logical column x starts, and the row likewise; the
  // last block reaches the last device pixel the area touches.
  static std::vector<int> Starts(int count, double ratio);

  int width_ = 0;
  int height_ = 0;
  double ratio_ = 1.0;
  QImage image_;
  uchar* bits_ = nullptr;
  qsizetype stride_ = 0;
  // The view as last painted, enlarged to device pixels, and what of it
  // has changed since.
  QImage view_;
  QRect viewRect_;
  QRgb outside_ = 0;
  std::vector<int> viewColumns_, viewRows_;
  QRect stale_;
  // The zoomed view as last painted: what it was painted for, and where
  // each device column and row starts in picture pixels.
  struct ZoomedKey {
    QPoint origin;
    QSize size;
    double zoom = 0, ratio = 0;
    QRgb outside = 0;
    int width = -1, height = -1;
    bool operator==(const ZoomedKey&) const = default;
  };
  QImage zoomed_;
  ZoomedKey zoomedKey_;
  std::vector<int> zoomedColumns_, zoomedRows_;
  void PaintZoomedRows(const QRect& device);
  std::optional<Disk> pending_;
  bool shared_ = false;  // image_ has been handed out and must detach first
  struct Ahead {
    std::mutex mutex;
    std::condition_variable ready;
    QImage copy;
    bool done = false;
  };
  std::shared_ptr<Ahead> ahead_;  // a copy of image_ being made for drawing
  // Keeping originals: for each tile, where originals_ keeps it, -1 when
  // not yet.
  bool keeping_ = false;
  int across_ = 0;
  std::vector<int> kept_;
  Originals originals_;
  std::shared_ptr<SettledPicture> settled_ = std::make_shared<SettledPicture>();
  int dirtyLeft_, dirtyTop_, dirtyRight_, dirtyBottom_;
  QRect gesture_;      // taken by repaints, not yet by TakeGestureDirty
  QRect repaintOnly_;  // taken by TakeGestureDirty, not yet by a repaint
};

}  // namespace common
