#pragma once

#include <QByteArray>
#include <QImage>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "common/tiles.h"

namespace paint {

class Stash;

// Pictures squeezed for keeping (undo steps, the recovery copy): each row as
// the difference of every byte from the same byte of the row above, so that
// flat areas and smooth photos become runs of small numbers (and unpacking
// adds whole rows, which the compiler vectorises), compressed by zstd at its
// fastest level. Safe on any thread.
class PixelPacker {
 public:
  // Where the packed bytes go as they come; false stops the packing.
  using Sink = std::function<bool(const char* data, size_t size)>;
  explicit PixelPacker(int width, Sink sink = {});
  ~PixelPacker();
  PixelPacker(const PixelPacker&) = delete;
  PixelPacker& operator=(const PixelPacker&) = delete;

  // Rows of `width` 32-bit pixels, `stride` bytes apart.
  void AddRows(const uchar* first, qsizetype stride, int rows);
  // The packed bytes of every row added (none with a sink); empty if zstd
  // or the sink failed.
  QByteArray Finish();
  bool Failed() const;

 private:
  struct Stream;
  std::unique_ptr<Stream> stream_;
};

// The rows again, read a piece of the packed bytes at a time.
class PixelUnpacker {
 public:
  // Puts up to `size` packed bytes in `into`: how many, 0 at their end, -1
  // when they cannot be read.
  using Source = std::function<qsizetype(char* into, qsizetype size)>;
  PixelUnpacker(int width, Source source);
  ~PixelUnpacker();
  PixelUnpacker(const PixelUnpacker&) = delete;
  PixelUnpacker& operator=(const PixelUnpacker&) = delete;

  // The next rows, written `stride` bytes apart; false when the bytes run
  // out or are not packed rows.
  bool Rows(uchar* first, qsizetype stride, int rows);
  // The bytes end right after the rows read.
  bool AtEnd();

 private:
  struct Stream;
  std::unique_ptr<Stream> stream_;
};

// A 32-bit picture packed whole by a PixelPacker, again, in the given size
// and 32-bit format; a null image when the bytes are not a packed picture of
// that size.
QImage UnpackPixels(const QByteArray& packed, const QSize& size, QImage::Format format);

// What an undo step keeps, packed aside: a whole picture, or tiles (those
// in one colour by their colour alone).
struct PackedOriginals {
  std::shared_ptr<Stash> stash;
  QSize size;
  QImage::Format format = QImage::Format_Invalid;
  bool whole = false;
  struct Head {
    int index;
    QRgb colour;
    bool pixels;
  };
  std::vector<Head> tiles;
};
// Nothing when the stash cannot take them, or once `stop` is set.
std::optional<PackedOriginals> PackOriginals(const common::Originals& originals,
                                             const std::atomic<bool>& stop);
// Null when the stash cannot be read back.
std::shared_ptr<common::Originals> UnpackOriginals(const PackedOriginals& packed);

}  // namespace paint
