#include "paint/document/packed_pixels.h"

#include <zstd.h>

#include <algorithm>
#include <vector>

namespace paint {
namespace {

constexpr int kLevel = 1;  // the fastest: packing runs while the user works
constexpr int kBytesPerPixel = 4;

}  // namespace

struct PixelPacker::Stream {
  ZSTD_CCtx* context = ZSTD_createCCtx();
  std::vector<uchar> row;
  std::vector<uchar> above;  // the row before, as it was given
  std::vector<char> out = std::vector<char>(ZSTD_CStreamOutSize());
  QByteArray packed;
  bool failed = context == nullptr;

  ~Stream() { ZSTD_freeCCtx(context); }

  void Feed(const void* data, size_t size, ZSTD_EndDirective mode) {
    ZSTD_inBuffer in{data, size, 0};
    for (;;) {
      ZSTD_outBuffer buffer{out.data(), out.size(), 0};
      const size_t left = ZSTD_compressStream2(context, &buffer, &in, mode);
      if (ZSTD_isError(left)) {
        failed = true;
        return;
      }
      packed.append(out.data(), static_cast<qsizetype>(buffer.pos));
      const bool finished = mode == ZSTD_e_end ? left == 0 : in.pos == in.size;
      if (finished) return;
    }
  }
};

PixelPacker::PixelPacker(int width) : stream_(std::make_unique<Stream>()) {
  stream_->row.resize(static_cast<size_t>(std::max(width, 0)) * kBytesPerPixel);
  stream_->above.resize(stream_->row.size());
  if (!stream_->failed) ZSTD_CCtx_setParameter(stream_->context, ZSTD_c_compressionLevel, kLevel);
}

PixelPacker::~PixelPacker() = default;

void PixelPacker::AddRows(const uchar* first, qsizetype stride, int rows) {
  std::vector<uchar>& row = stream_->row;
  std::vector<uchar>& above = stream_->above;
  for (int y = 0; y < rows && !stream_->failed; ++y) {
    const uchar* source = first + y * stride;
    for (size_t i = 0; i < row.size(); ++i) row[i] = static_cast<uchar>(source[i] - above[i]);
    std::copy_n(source, row.size(), above.begin());
    stream_->Feed(row.data(), row.size(), ZSTD_e_continue);
  }
}

QByteArray PixelPacker::Finish() {
  stream_->Feed(nullptr, 0, ZSTD_e_end);
  return stream_->failed ? QByteArray() : std::move(stream_->packed);
}

QByteArray PackPixels(const QImage& image) {
  PixelPacker packer(image.width());
  if (image.height() > 0) packer.AddRows(image.constBits(), image.bytesPerLine(), image.height());
  return packer.Finish();
}

QImage UnpackPixels(const QByteArray& packed, const QSize& size, QImage::Format format) {
  QImage image(size, format);
  if (image.isNull() || image.depth() != kBytesPerPixel * 8) return {};
  // 32-bit rows have no padding, so the rows lie back to back.
  const auto bytes = static_cast<size_t>(image.sizeInBytes());
  const size_t got =
      ZSTD_decompress(image.bits(), bytes, packed.constData(), static_cast<size_t>(packed.size()));
  if (ZSTD_isError(got) || got != bytes) return {};
  const size_t rowBytes = static_cast<size_t>(size.width()) * kBytesPerPixel;
  for (int y = 1; y < size.height(); ++y) {
    uchar* row = image.scanLine(y);
    const uchar* above = image.constScanLine(y - 1);
    for (size_t i = 0; i < rowBytes; ++i) row[i] = static_cast<uchar>(row[i] + above[i]);
  }
  return image;
}

}  // namespace paint
