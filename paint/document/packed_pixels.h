#pragma once

#include <QByteArray>
#include <QImage>
#include <memory>

namespace paint {

// Pictures squeezed for keeping (undo steps, the recovery copy): each row as
// the difference of every byte from the same byte of the row above, so that
// flat areas and smooth photos become runs of small numbers (and unpacking
// adds whole rows, which the compiler vectorises), compressed by zstd at its
// fastest level. Safe on any thread.
class PixelPacker {
 public:
  explicit PixelPacker(int width);
  ~PixelPacker();
  PixelPacker(const PixelPacker&) = delete;
  PixelPacker& operator=(const PixelPacker&) = delete;

  // Rows of `width` 32-bit pixels, `stride` bytes apart.
  void AddRows(const uchar* first, qsizetype stride, int rows);
  // The packed bytes of every row added; empty if zstd failed.
  QByteArray Finish();

 private:
  struct Stream;
  std::unique_ptr<Stream> stream_;
};

// A 32-bit picture packed whole.
QByteArray PackPixels(const QImage& image);
// The picture again, in the given size and 32-bit format; a null image when
// the bytes are not a packed picture of that size.
QImage UnpackPixels(const QByteArray& packed, const QSize& size, QImage::Format format);

}  // namespace paint
