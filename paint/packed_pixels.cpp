#include "paint/packed_pixels.h"

#include <zstd.h>

#include <vector>

namespace paint {
namespace {

constexpr int kLevel = 1;  // the fastest: packing runs while the user works
constexpr int kBytesPerPixel = 4;

}  // namespace

struct PixelPacker::Stream {
  ZSTD_CCtx* context = ZSTD_createCCtx();
  std::vector<uchar> row;
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
  if (!stream_->failed) ZSTD_CCtx_setParameter(stream_->context, ZSTD_c_compressionLevel, kLevel);
}

PixelPacker::~PixelPacker() = default;

void PixelPacker::AddRows(const uchar* first, qsizetype stride, int rows) {
  std::vector<uchar>& row = stream_->row;
  for (int y = 0; y < rows && !stream_->failed; ++y) {
    const uchar* source = first + y * stride;
    for (size_t i = 0; i < row.size(); ++i)
      row[i] =
          static_cast<uchar>(source[i] - (i >= kBytesPerPixel ? source[i - kBytesPerPixel] : 0));
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
  for (int y = 0; y < size.height(); ++y) {
    uchar* row = image.scanLine(y);
    for (size_t i = kBytesPerPixel; i < rowBytes; ++i)
      row[i] = static_cast<uchar>(row[i] + row[i - kBytesPerPixel]);
  }
  return image;
}

}  // namespace paint
