#include "paint/files/partial_png.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <memory>

#include "paint/document/picture_limits.h"

namespace paint {
namespace {

// Everything the decoding changes lives here, off the stack frame that the
// jump back from an error returns to.
struct Input {
  const QByteArray* bytes = nullptr;
  qsizetype at = 0;
  QImage image;
  int rows = 0;
};

void ReadBytes(png_structp png, png_bytep data, size_t length) {
  auto* input = static_cast<Input*>(png_get_io_ptr(png));
  if (input->at + static_cast<qsizetype>(length) > input->bytes->size())
    png_error(png, "cut short");
  std::memcpy(data, input->bytes->constData() + input->at, length);
  input->at += static_cast<qsizetype>(length);
}

void Quiet(png_structp /*png*/, png_const_charp /*message*/) {}

[[noreturn]] void Stop(png_structp png, png_const_charp /*message*/) {
  png_longjmp(png, 1);
}

// Only trivially destructible locals here: an error jumps out of it.
void Decode(png_structp png, png_infop info, Input& input) {
  png_set_read_fn(png, &input, ReadBytes);
  png_read_info(png, info);
  const QSize size(static_cast<int>(png_get_image_width(png, info)),
                   static_cast<int>(png_get_image_height(png, info)));
  if (!WithinLimit(size)) return;
  // Every kind as 8-bit BGRA, which is ARGB32 in memory.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_filler(png, 0xff, PNG_FILLER_AFTER);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  input.image = QImage(size, QImage::Format_ARGB32);
  if (input.image.isNull()) return;
  input.image.fill(Qt::transparent);
  for (int pass = 0; pass < passes; ++pass)
    for (int y = 0; y < size.height(); ++y) {
      png_read_row(png, input.image.scanLine(y), nullptr);
      ++input.rows;
    }
}

}  // namespace

QImage ReadPartialPng(const QByteArray& bytes) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Stop, Quiet);
  if (!png) return {};
  png_infop info = png_create_info_struct(png);
  const auto input = std::make_unique<Input>();
  input->bytes = &bytes;
  if (info && setjmp(png_jmpbuf(png)) == 0) Decode(png, info, *input);
  png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  if (input->rows == 0) return {};
  return input->image;
}

}  // namespace paint
