#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <memory>
#include <vector>

namespace common {

// Square tiles of a 32-bit picture, kept apart from it: what changes are
// about to overwrite, say. A tile all in one colour keeps only the colour,
// so a cleared area costs next to nothing.
class Tiles {
 public:
  static constexpr int kSide = 64;
  static constexpr int kPixels = kSide * kSide;

  // A tile's memory goes back to a small pool of ready ones, so that the
  // first strokes after a pause find theirs without the system having to
  // map fresh pages.
  struct GiveBack {
    void operator()(QRgb* pixels) const;
  };
  using Pixels = std::unique_ptr<QRgb[], GiveBack>;
  // Memory for a tile's kSide rows of kSide pixels, uninitialised; any
  // thread.
  static Pixels NewPixels();
  // Fills the pool aside, on another thread.
  static void Ready();

  struct Tile {
    int index = 0;    // row * Across() + column
    QRgb colour = 0;  // all of it, while pixels is null
    // kSide rows of kSide pixels; what an edge tile does not cover is zero.
    Pixels pixels;
  };

  Tiles() = default;
  Tiles(QSize picture, QImage::Format format);

  QSize PictureSize() const { return picture_; }
  QImage::Format Format() const { return format_; }
  static int Across(QSize picture) { return (picture.width() + kSide - 1) / kSide; }
  static int Count(QSize picture) {
    return Across(picture) * ((picture.height() + kSide - 1) / kSide);
  }
  // The picture's pixels a tile covers.
  QRect Rect(int index) const;
  std::vector<Tile>& List() { return tiles_; }
  const std::vector<Tile>& List() const { return tiles_; }
  bool Empty() const { return tiles_.empty(); }
  // Memory the pixels take.
  qsizetype Bytes() const;

  // Copies the picture's pixels under the tile into a new tile.
  void Add(int index, const QImage& picture);
  // Drops the tiles the picture holds unchanged and keeps only the colour
  // of those in one colour: what a finished change really replaced.
  void Settle(const QImage& picture);
  // Swaps each tile's pixels with the picture's under it: the picture gets
  // the tiles' and the tiles what it had.
  void Exchange(QImage& picture);

 private:
  QSize picture_;
  QImage::Format format_ = QImage::Format_Invalid;
  std::vector<Tile> tiles_;
};

// What changes to a picture replaced, as it was: the whole picture, when it
// was replaced (its size may have differed), or the tiles that changed.
struct Originals {
  QImage whole;
  Tiles tiles;
  bool lost = false;  // memory ran out to keep them
  bool Empty() const { return whole.isNull() && tiles.Empty() && !lost; }
  qsizetype Bytes() const { return whole.sizeInBytes() + tiles.Bytes(); }
};

// Hands the memory the heap keeps free back to the system: tiles let go of
// by the thousand leave holes the allocator would otherwise keep.
void GiveBackFreed();

}  // namespace common
