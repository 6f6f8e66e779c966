// Colour adjustments and turns by any angle, as pure functions.
#include <gtest/gtest.h>

#include <QImage>
#include <QTransform>
#include <cstdlib>
#include <initializer_list>

#include "paint/image/adjustments.h"
#include "paint/image/image_ops.h"
#include "paint/tests/test_pictures.h"

namespace paint {
namespace {

QImage Row(std::initializer_list<QRgb> pixels, QImage::Format format = QImage::Format_ARGB32) {
  QImage image(static_cast<int>(pixels.size()), 1, format);
  int x = 0;
  for (const QRgb pixel : pixels) image.setPixel(x++, 0, pixel);
  return image;
}

QImage Flat(QSize size, QRgb colour, QImage::Format format) {
  QImage image(size, format);
  image.fill(colour);
  return image;
}

// The largest difference of any channel between two pictures of one size.
int Difference(const QImage& a, const QImage& b) {
  int most = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      for (const int shift : {0, 8, 16, 24})
        most = std::max(most, std::abs(int((p >> shift) & 255) - int((q >> shift) & 255)));
    }
  return most;
}

constexpr QRgb kPaper = 0xffeeddcc;

TEST(AdjustmentsTest, EachAdjustmentGivesTheColoursAndShapeExpected) {
  using enum Adjust;
  constexpr auto kOpaque = QImage::Format_RGB32;
  const QImage dusk = Row({qRgb(100, 100, 100), qRgb(200, 100, 50), qRgba(10, 20, 30, 77)});
  const QImage pattern = Pattern(7, 5, QImage::Format_ARGB32);
  const struct {
    const char* name;
    QImage picture;
    Adjustment adjustment;
    QImage expected;
  } rows[] = {
      {"brighter by part of the way to white",
       dusk,
       {kBrightnessContrast, 40},
       Row({qRgb(162, 162, 162), qRgb(222, 162, 132), qRgba(108, 114, 120, 77)})},
      {"darkest is black",
       dusk,
       {kBrightnessContrast, -100},
       Row({qRgb(0, 0, 0), qRgb(0, 0, 0), qRgba(0, 0, 0, 77)})},
      {"no contrast is one grey",
       dusk,
       {kBrightnessContrast, 0, -100},
       Row({qRgb(128, 128, 128), qRgb(128, 128, 128), qRgba(128, 128, 128, 77)})},
      {"full contrast splits at the middle",
       dusk,
       {kBrightnessContrast, 0, 100},
       Row({qRgb(0, 0, 0), qRgb(255, 0, 0), qRgba(0, 0, 0, 77)})},
      {"nothing asked changes nothing", pattern, {kBrightnessContrast}, pattern},
      {"more saturated",
       dusk,
       {kSaturation, 100},
       Row({qRgb(100, 100, 100), qRgb(255, 76, 0), qRgba(2, 22, 42, 77)})},
      {"unsaturated is the luma",
       dusk,
       {kSaturation, -100},
       Row({qRgb(100, 100, 100), qRgb(124, 124, 124), qRgba(18, 18, 18, 77)})},
      {"greyscale",
       dusk,
       {kGreyscale},
       Row({qRgb(100, 100, 100), qRgb(124, 124, 124), qRgba(18, 18, 18, 77)})},
      {"inverted keeps alpha",
       dusk,
       {kInvert},
       Row({qRgb(155, 155, 155), qRgb(55, 155, 205), qRgba(245, 235, 225, 77)})},
      {"opaque stays opaque",
       Row({qRgb(1, 2, 3)}, kOpaque),
       {kInvert},
       Row({qRgb(254, 253, 252)}, kOpaque)},
      {"a quarter turn is exact", pattern, {kRotate, 0, 0, 90}, Turned(pattern, Turn::kClockwise)},
      {"back a quarter", pattern, {kRotate, 0, 0, -90}, Turned(pattern, Turn::kCounterClockwise)},
      {"two whole turns", pattern, {kRotate, 0, 0, 720}, pattern},
      {"clear corners make room for transparency",
       Flat({3, 2}, kPaper, kOpaque),
       {kRotate, 0, 0, 180},
       Flat({3, 2}, kPaper, QImage::Format_ARGB32)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const QImage result = Adjusted(row.picture, row.adjustment);
    ASSERT_EQ(result.format(), row.expected.format());
    ASSERT_EQ(result.size(), row.expected.size());
    EXPECT_EQ(Difference(result, row.expected), 0);
  }
}

TEST(AdjustmentsTest, TurnsHoldTheCornersAndAPartIsThatOfTheWhole) {
  const struct {
    double degrees;
    QSize size;
  } sizes[] = {
      {30, {112, 94}}, {-30, {112, 94}}, {90, {50, 100}}, {180, {100, 50}}, {1, {101, 52}}};
  for (const auto& row : sizes)
    EXPECT_EQ(AdjustedSize({100, 50}, {Adjust::kRotate, 0, 0, row.degrees}), row.size)
        << row.degrees;
  // A flat colour turned stays that colour to its very edge: no dark fringe
  // from the transparent corners.
  const QImage flat = Flat({40, 20}, qRgb(200, 40, 90), QImage::Format_RGB32);
  const QImage turned = Adjusted(flat, {Adjust::kRotate, 0, 0, 33});
  int edge = 0;
  for (int y = 0; y < turned.height(); ++y)
    for (int x = 0; x < turned.width(); ++x) {
      const QRgb pixel = turned.pixel(x, y);
      if (qAlpha(pixel) < 96) continue;  // too faint to hold its colour in 8 bits
      edge += qAlpha(pixel) < 255;
      EXPECT_LE(Difference(Row({pixel | 0xff000000}), Row({qRgb(200, 40, 90)})), 3)
          << x << "," << y;
    }
  EXPECT_GT(edge, 40);
  // Opaque, the corners are the canvas colour itself.
  const QImage onPaper = Adjusted(flat, {Adjust::kRotate, 0, 0, 33, kPaper});
  EXPECT_EQ(onPaper.format(), QImage::Format_RGB32);
  EXPECT_EQ(onPaper.pixel(0, 0), kPaper);
  EXPECT_EQ(onPaper.pixel(onPaper.width() / 2, onPaper.height() / 2), qRgb(200, 40, 90));
  // What a preview shows of the view is the same as the whole has there.
  const QImage photo = Pattern(300, 200, QImage::Format_ARGB32);
  const QRect view(37, 51, 120, 90);
  for (const Adjustment& adjustment :
       {Adjustment{Adjust::kRotate, 0, 0, 12.5}, Adjustment{Adjust::kRotate, 0, 0, -100, kPaper},
        Adjustment{Adjust::kSaturation, 40}, Adjustment{Adjust::kRotate, 0, 0, 270}}) {
    EXPECT_EQ(AdjustedPart(photo, adjustment, view), Adjusted(photo, adjustment).copy(view))
        << adjustment.degrees;
  }
}

}  // namespace
}  // namespace paint
