#include "paint/document/packed_pixels.h"

#include <zstd.h>

#include <algorithm>
#include <new>
#include <vector>

#include "paint/document/stash.h"

namespace paint {
namespace {

constexpr int kLevel = 1;  // the fastest: packing runs while the user works
// Rows are packed against the rows just before them: a short window does
// as well as a long one, in a tenth of the memory.
constexpr int kWindowLog = 17;
constexpr int kBytesPerPixel = 4;
constexpr qsizetype kTileStride = qsizetype{common::Tiles::kSide} * kBytesPerPixel;

}  // namespace

struct PixelPacker::Stream {
  ZSTD_CCtx* context = ZSTD_createCCtx();
  std::vector<uchar> row;
  std::vector<uchar> above;  // the row before, as it was given
  std::vector<char> out = std::vector<char>(ZSTD_CStreamOutSize());
  QByteArray packed;
  Sink sink;
  bool failed = context == nullptr;

  ~Stream() { ZSTD_freeCCtx(context); }

  void Feed(const void* data, size_t size, ZSTD_EndDirective mode) {
    ZSTD_inBuffer in{data, size, 0};
    while (!failed) {
      ZSTD_outBuffer buffer{out.data(), out.size(), 0};
      const size_t left = ZSTD_compressStream2(context, &buffer, &in, mode);
      if (ZSTD_isError(left)) {
        failed = true;
        return;
      }
      if (sink) {
        failed = buffer.pos > 0 && !sink(out.data(), buffer.pos);
      } else {
        packed.append(out.data(), static_cast<qsizetype>(buffer.pos));
      }
      const bool finished = mode == ZSTD_e_end ? left == 0 : in.pos == in.size;
      if (finished) return;
    }
  }
};

PixelPacker::PixelPacker(int width, Sink sink) : stream_(std::make_unique<Stream>()) {
  stream_->row.resize(static_cast<size_t>(std::max(width, 0)) * kBytesPerPixel);
  stream_->above.resize(stream_->row.size());
  stream_->sink = std::move(sink);
  if (!stream_->failed) {
    ZSTD_CCtx_setParameter(stream_->context, ZSTD_c_compressionLevel, kLevel);
    ZSTD_CCtx_setParameter(stream_->context, ZSTD_c_windowLog, kWindowLog);
  }
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

bool PixelPacker::Failed() const {
  return stream_->failed;
}

struct PixelUnpacker::Stream {
  ZSTD_DCtx* context = ZSTD_createDCtx();
  Source source;
  std::vector<char> buffer = std::vector<char>(ZSTD_DStreamInSize());
  ZSTD_inBuffer in{buffer.data(), 0, 0};
  std::vector<uchar> above;
  size_t last = 1;  // what zstd said last: 0 once a frame is complete

  ~Stream() { ZSTD_freeDCtx(context); }

  // Fills `into` with unpacked bytes.
  bool Read(uchar* into, size_t size) {
    ZSTD_outBuffer out{into, size, 0};
    while (context) {
      last = ZSTD_decompressStream(context, &out, &in);
      if (ZSTD_isError(last)) return false;
      if (out.pos == out.size) return true;
      if (in.pos == in.size && !Refill()) return false;
    }
    return false;
  }

  bool Refill() {
    const qsizetype got = source(buffer.data(), static_cast<qsizetype>(buffer.size()));
    in = {buffer.data(), static_cast<size_t>(std::max<qsizetype>(got, 0)), 0};
    return got > 0;
  }
};

PixelUnpacker::PixelUnpacker(int width, Source source) : stream_(std::make_unique<Stream>()) {
  stream_->source = std::move(source);
  stream_->above.assign(static_cast<size_t>(std::max(width, 0)) * kBytesPerPixel, 0);
}

PixelUnpacker::~PixelUnpacker() = default;

bool PixelUnpacker::Rows(uchar* first, qsizetype stride, int rows) {
  std::vector<uchar>& above = stream_->above;
  for (int y = 0; y < rows; ++y) {
    uchar* row = first + y * stride;
    if (!stream_->Read(row, above.size())) return false;
    for (size_t i = 0; i < above.size(); ++i)
      row[i] = above[i] = static_cast<uchar>(row[i] + above[i]);
  }
  return true;
}

bool PixelUnpacker::AtEnd() {
  Stream& stream = *stream_;
  for (;;) {
    if (stream.in.pos == stream.in.size && !stream.Refill()) return stream.last == 0;
    if (stream.last == 0) return false;  // bytes past the end
    uchar extra = 0;
    ZSTD_outBuffer out{&extra, 1, 0};
    stream.last = ZSTD_decompressStream(stream.context, &out, &stream.in);
    if (ZSTD_isError(stream.last) || out.pos > 0) return false;
  }
}

QImage UnpackPixels(const QByteArray& packed, const QSize& size, QImage::Format format) {
  QImage image(size, format);
  if (image.isNull() || image.depth() != kBytesPerPixel * 8) return {};
  qsizetype at = 0;
  PixelUnpacker unpacker(size.width(), [&](char* into, qsizetype most) {
    const qsizetype count = std::min(most, packed.size() - at);
    std::copy_n(packed.constData() + at, count, into);
    at += count;
    return count;
  });
  if (!unpacker.Rows(image.bits(), image.bytesPerLine(), size.height()) || !unpacker.AtEnd())
    return {};
  return image;
}

std::optional<PackedOriginals> PackOriginals(const common::Originals& originals,
                                             const std::atomic<bool>& stop) {
  PackedOriginals packed;
  packed.stash = Stash::Begin();
  packed.whole = !originals.whole.isNull();
  const common::Tiles& tiles = originals.tiles;
  packed.size = packed.whole ? originals.whole.size() : tiles.PictureSize();
  packed.format = packed.whole ? originals.whole.format() : tiles.Format();
  Stash& stash = *packed.stash;
  PixelPacker packer(packed.whole ? packed.size.width() : common::Tiles::kSide,
                     [&](const char* data, size_t size) {
                       return !stop && stash.Append(data, static_cast<qsizetype>(size));
                     });
  if (packed.whole) {
    // In bands, so that a stop is heard soon.
    const QImage& image = originals.whole;
    for (int y = 0; y < image.height() && !stop && !packer.Failed(); y += common::Tiles::kSide)
      packer.AddRows(image.constScanLine(y), image.bytesPerLine(),
                     std::min(common::Tiles::kSide, image.height() - y));
  } else {
    packed.tiles.reserve(tiles.List().size());
    for (const common::Tiles::Tile& tile : tiles.List()) {
      if (stop || packer.Failed()) break;
      packed.tiles.push_back({tile.index, tile.colour, tile.pixels != nullptr});
      if (tile.pixels)
        packer.AddRows(reinterpret_cast<const uchar*>(tile.pixels.get()), kTileStride,
                       common::Tiles::kSide);
    }
  }
  packer.Finish();
  if (stop || packer.Failed()) return std::nullopt;
  return packed;
}

std::shared_ptr<common::Originals> UnpackOriginals(const PackedOriginals& packed) {
  try {
    qsizetype at = 0;
    PixelUnpacker unpacker(packed.whole ? packed.size.width() : common::Tiles::kSide,
                           [&](char* into, qsizetype most) -> qsizetype {
                             const qsizetype count = std::min(most, packed.stash->Size() - at);
                             if (!packed.stash->Read(at, into, count)) return -1;
                             at += count;
                             return count;
                           });
    auto originals = std::make_shared<common::Originals>();
    if (packed.whole) {
      QImage image(packed.size, packed.format);
      if (image.isNull() || !unpacker.Rows(image.bits(), image.bytesPerLine(), image.height()))
        return nullptr;
      originals->whole = std::move(image);
    } else {
      originals->tiles = common::Tiles(packed.size, packed.format);
      std::vector<common::Tiles::Tile>& list = originals->tiles.List();
      list.reserve(packed.tiles.size());
      for (const PackedOriginals::Head& head : packed.tiles) {
        list.push_back({head.index, head.colour, nullptr});
        if (!head.pixels) continue;
        list.back().pixels = common::Tiles::NewPixels();
        if (!unpacker.Rows(reinterpret_cast<uchar*>(list.back().pixels.get()), kTileStride,
                           common::Tiles::kSide))
          return nullptr;
      }
    }
    return unpacker.AtEnd() ? originals : nullptr;
  } catch (const std::bad_alloc&) {
    return nullptr;  // no room to unpack them now
  }
}

}  // namespace paint
