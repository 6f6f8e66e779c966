// Colour adjustments and turns by any angle, as pure functions.
#include <gtest/gtest.h>

#include <QImage>
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

constexpr QRgb kPaper = 0xffeeddcc;
constexpr QRgb kRose = 0xffc82859;
constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kMid = 0xff808080;

TEST(AdjustmentsTest, EachAdjustmentGivesTheColoursAndShapeExpected) {
  using enum Adjust;
  // Grey 100, an orange (200, 100, 50) and a translucent dark blue.
  const QImage dusk = Row({0xff646464, 0xffc86432, 0x4d0a141e});
  const QImage grey = Row({0xff646464, 0xff7c7c7c, 0x4d121212});
  const QImage pattern = Pattern(7, 5, QImage::Format_ARGB32);
  const QImage paper = Row({kPaper, kPaper}, QImage::Format_RGB32);
  const struct {
    const char* name;
    QImage picture;
    Adjustment adjustment;
    QImage expected;
  } rows[] = {
      {"brighter: part of the way to white",
       dusk,
       {kBrightnessContrast, 40},
       Row({0xffa2a2a2, 0xffdea284, 0x4d6c7278})},
      {"darkest is black", dusk, {kBrightnessContrast, -100}, Row({kBlack, kBlack, 0x4d000000})},
      {"no contrast", dusk, {kBrightnessContrast, 0, -100}, Row({kMid, kMid, 0x4d808080})},
      {"full contrast", dusk, {kBrightnessContrast, 0, 100}, Row({kBlack, 0xffff0000, 0x4d000000})},
      {"nothing asked changes nothing", pattern, {kBrightnessContrast}, pattern},
      {"more saturated", dusk, {kSaturation, 100}, Row({0xff646464, 0xffff4c00, 0x4d02162a})},
      {"unsaturated is the luma", dusk, {kSaturation, -100}, grey},
      {"greyscale", dusk, {kGreyscale}, grey},
      {"inverted keeps alpha", dusk, {kInvert}, Row({0xff9b9b9b, 0xff379bcd, 0x4df5ebe1})},
      {"opaque stays opaque", paper, {kInvert}, Row({0xff112233, 0xff112233}, paper.format())},
      {"a quarter turn is exact", pattern, {kRotate, 0, 0, 90}, Turned(pattern, Turn::kClockwise)},
      {"back a quarter", pattern, {kRotate, 0, 0, -90}, Turned(pattern, Turn::kCounterClockwise)},
      {"two whole turns", pattern, {kRotate, 0, 0, 720}, pattern},
      {"clear corners, room for them", paper, {kRotate, 0, 0, 180}, Row({kPaper, kPaper})},
  };
  for (const auto& row : rows)
    EXPECT_EQ(Adjusted(row.picture, row.adjustment), row.expected) << row.name;
}

TEST(AdjustmentsTest, TurnsHoldTheCornersBlendCleanlyAndAPartIsThatOfTheWhole) {
  for (const auto& [degrees, size] : {std::pair{30.0, QSize(112, 94)},
                                      {-30.0, QSize(112, 94)},
                                      {90.0, QSize(50, 100)},
                                      {1.0, QSize(101, 52)}})
    EXPECT_EQ(AdjustedSize({100, 50}, {Adjust::kRotate, 0, 0, degrees}), size) << degrees;
  // A flat colour turned keeps its colour to the very edge: no dark fringe
  // from the transparent corners. Faint pixels cannot hold it in 8 bits.
  QImage flat(40, 20, QImage::Format_RGB32);
  flat.fill(kRose);
  const QImage turned = Adjusted(flat, {Adjust::kRotate, 0, 0, 33});
  int edge = 0;
  for (int y = 0; y < turned.height(); ++y)
    for (int x = 0; x < turned.width(); ++x) {
      const QRgb pixel = turned.pixel(x, y);
      if (qAlpha(pixel) < 96) continue;
      edge += qAlpha(pixel) < 255;
      EXPECT_LE(
          std::abs(qRed(pixel) - 200) + std::abs(qGreen(pixel) - 40) + std::abs(qBlue(pixel) - 89),
          6);
    }
  EXPECT_GT(edge, 40);
  const QImage onPaper = Adjusted(flat, {Adjust::kRotate, 0, 0, 33, kPaper});
  EXPECT_EQ(onPaper.format(), QImage::Format_RGB32);
  EXPECT_EQ(onPaper.pixel(0, 0), kPaper);
  EXPECT_EQ(onPaper.pixel(onPaper.width() / 2, onPaper.height() / 2), kRose);
  // What a preview shows of the view is what the whole has there.
  const QImage photo = Pattern(300, 200, QImage::Format_ARGB32);
  const QRect view(37, 51, 120, 90);
  for (const Adjustment& adjustment :
       {Adjustment{Adjust::kRotate, 0, 0, 12.5}, Adjustment{Adjust::kRotate, 0, 0, -100, kPaper},
        Adjustment{Adjust::kSaturation, 40}, Adjustment{Adjust::kRotate, 0, 0, 270}})
    EXPECT_EQ(AdjustedPart(photo, adjustment, view), Adjusted(photo, adjustment).copy(view))
        << adjustment.degrees;
}

}  // namespace
}  // namespace paint
