#include "common/tiles.h"

#include <algorithm>
#include <cstddef>
#include <mutex>
#include <optional>
#include <vector>

#include "common/background.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace common {
namespace {

// Where a row of a tile's pixels starts.
constexpr ptrdiff_t InTile(int row) {
  return static_cast<ptrdiff_t>(row) * Tiles::kSide;
}

QRgb* Row(QImage& picture, const QRect& rect, int row) {
  return reinterpret_cast<QRgb*>(picture.scanLine(rect.top() + row)) + rect.left();
}

const QRgb* Row(const QImage& picture, const QRect& rect, int row) {
  return reinterpret_cast<const QRgb*>(picture.constScanLine(rect.top() + row)) + rect.left();
}

// The colour of the rectangle's pixels, if they are all one; `line(row)` is
// where its row starts, in the picture or in a tile.
template <class Line>
std::optional<QRgb> OneColour(const QRect& rect, Line line) {
  const QRgb first = *line(0);
  for (int row = 0; row < rect.height(); ++row)
    if (std::any_of(line(row), line(row) + rect.width(),
                    [first](QRgb pixel) { return pixel != first; }))
      return std::nullopt;
  return first;
}

std::optional<QRgb> OneColour(const QImage& picture, const QRect& rect) {
  return OneColour(rect, [&](int row) { return Row(picture, rect, row); });
}

std::optional<QRgb> OneColour(const QRgb* pixels, const QRect& rect) {
  return OneColour(rect, [pixels](int row) { return pixels + InTile(row); });
}

Tiles::Pixels Copy(const QImage& picture, const QRect& rect) {
  Tiles::Pixels pixels = Tiles::NewPixels();
  if (rect.width() < Tiles::kSide || rect.height() < Tiles::kSide)
    std::fill_n(pixels.get(), Tiles::kPixels, 0);  // packs to nothing
  for (int row = 0; row < rect.height(); ++row)
    std::copy_n(Row(picture, rect, row), rect.width(), pixels.get() + InTile(row));
  return pixels;
}

// Tiles' memory let go of, ready for new ones.
struct Pool {
  static constexpr size_t kMost = 32;  // half a MiB: the first moves of a stroke
  std::mutex mutex;
  std::vector<QRgb*> ready;
  bool filling = false;
};

Pool& ThePool() {
  static Pool* pool = new Pool;  // never destroyed: tiles may outlive any order of exit
  return *pool;
}

}  // namespace

void Tiles::GiveBack::operator()(QRgb* pixels) const {
  Pool& pool = ThePool();
  {
    const std::lock_guard<std::mutex> lock(pool.mutex);
    if (pool.ready.size() < Pool::kMost) {
      pool.ready.push_back(pixels);
      return;
    }
  }
  delete[] pixels;
}

Tiles::Pixels Tiles::NewPixels() {
  Pool& pool = ThePool();
  {
    const std::lock_guard<std::mutex> lock(pool.mutex);
    if (!pool.ready.empty()) {
      QRgb* pixels = pool.ready.back();
      pool.ready.pop_back();
      return Pixels(pixels);
    }
  }
  return Pixels(new QRgb[kPixels]);
}

void Tiles::Ready() {
  Pool& pool = ThePool();
  size_t missing = 0;
  {
    const std::lock_guard<std::mutex> lock(pool.mutex);
    if (pool.filling) return;
    missing = Pool::kMost - pool.ready.size();
    pool.filling = missing > 0;
  }
  if (missing == 0) return;
  Detach([&pool, missing](const std::stop_token&) {
    for (size_t i = 0; i < missing; ++i) {
      Pixels pixels(new QRgb[kPixels]);
      std::fill_n(pixels.get(), kPixels, 0);  // its pages mapped now, not at the first stroke
    }  // each goes to the pool as it is let go of, or is freed once the pool is full
    const std::lock_guard<std::mutex> lock(pool.mutex);
    pool.filling = false;
  });
}

Tiles::Tiles(QSize picture, QImage::Format format) : picture_(picture), format_(format) {}

QRect Tiles::Rect(int index) const {
  const int across = Across(picture_);
  return QRect((index % across) * kSide, (index / across) * kSide, kSide, kSide) &
         QRect(QPoint(), picture_);
}

qsizetype Tiles::Bytes() const {
  auto bytes = static_cast<qsizetype>(tiles_.size()) * qsizetype{sizeof(Tile)};
  for (const Tile& tile : tiles_)
    if (tile.pixels) bytes += qsizetype{kPixels} * 4;
  return bytes;
}

void Tiles::Add(int index, const QImage& picture) {
  tiles_.push_back({index, 0, Copy(picture, Rect(index))});
}

void Tiles::Settle(const QImage& picture) {
  std::erase_if(tiles_, [&](Tile& tile) {
    const QRect rect = Rect(tile.index);
    if (!tile.pixels) return OneColour(picture, rect) == tile.colour;
    bool same = true;
    for (int row = 0; row < rect.height() && same; ++row)
      same = std::equal(Row(picture, rect, row), Row(picture, rect, row) + rect.width(),
                        tile.pixels.get() + InTile(row));
    if (same) return true;
    if (const std::optional<QRgb> colour = OneColour(tile.pixels.get(), rect)) {
      tile.pixels.reset();
      tile.colour = *colour;
    }
    return false;
  });
}

void Tiles::Exchange(QImage& picture) {
  for (Tile& tile : tiles_) {
    const QRect rect = Rect(tile.index);
    const std::optional<QRgb> under = OneColour(picture, rect);
    if (!tile.pixels) {
      if (!under) tile.pixels = Copy(picture, rect);
      for (int row = 0; row < rect.height(); ++row)
        std::fill_n(Row(picture, rect, row), rect.width(), tile.colour);
      if (under) tile.colour = *under;
      continue;
    }
    for (int row = 0; row < rect.height(); ++row) {
      QRgb* line = Row(picture, rect, row);
      QRgb* kept = tile.pixels.get() + InTile(row);
      if (under) {
        std::copy_n(kept, rect.width(), line);
      } else {
        std::swap_ranges(line, line + rect.width(), kept);
      }
    }
    if (under) {
      tile.pixels.reset();
      tile.colour = *under;
    }
  }
}

void GiveBackFreed() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

}  // namespace common
