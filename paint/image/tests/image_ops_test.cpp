// Pure functions over pictures: no window.
#include <gtest/gtest.h>

#include <QImage>
#include <QStringList>
#include <QTransform>
#include <algorithm>
#include <functional>
#include <string>

#include "paint/image/image_ops.h"
#include "paint/tests/test_pictures.h"

namespace paint {
namespace {

// Small pictures written as letters, rows between slashes. Capitals are the
// small letters' colours half transparent, '.' is transparent black; opaque
// pictures store them all opaque.
QRgb Colour(char letter) {
  if (letter == '.') return 0;
  const int shade = (letter | 0x20) - 'a';
  return qRgba(shade * 9, 255 - shade * 7, shade * 31 & 255, letter & 0x20 ? 255 : 128);
}

QImage Drawn(const QString& rows, QImage::Format format) {
  const QStringList lines = rows.split('/', Qt::SkipEmptyParts);
  QImage image(lines.isEmpty() ? 0 : lines[0].size(), lines.size(), format);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      reinterpret_cast<QRgb*>(image.scanLine(y))[x] =
          Colour(lines[y][x].toLatin1()) | (image.hasAlphaChannel() ? 0 : 0xff000000);
  return image;
}

std::string Letters(const QImage& image) {
  const std::string letters = "abcdefghxyzABEX.?";  // small first: opaque, capitals are alike
  std::string rows;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      rows += *std::find_if(letters.begin(), letters.end() - 1, [&](char c) {
        return Drawn(QString(c), image.format()).pixel(0, 0) == image.pixel(x, y);
      });
      if (x == image.width() - 1 && y < image.height() - 1) rows += '/';
    }
  return rows;
}

using Op = std::function<QImage(const QImage&)>;
Op Turning(Turn turn) {
  return [=](const QImage& p) { return Turned(p, turn); };
}
Op Flipping(Qt::Orientations orientations) {
  return [=](const QImage& p) { return Flipped(p, orientations); };
}
Op Cropping(QRect area) {
  return [=](const QImage& p) { return Cropped(p, area); };
}
Op Scaling(QSize size) {
  return [=](const QImage& p) { return Scaled(p, size); };
}

TEST(ImageOpsTest, ShapingMovesEveryPixelExactly) {
  using enum Turn;
  const Op clockwise = Turning(kClockwise), back = Turning(kCounterClockwise);
  const struct {
    const char* name;
    const char* picture;
    Op op;
    const char* expected;
  } rows[] = {
      {"clockwise", "abc/def", clockwise, "da/eb/fc"},
      {"counter-clockwise", "abc/def", back, "cf/be/ad"},
      {"half turn", "abc/dEf", Turning(kHalf), "fEd/cba"},
      {"four quarters", "ab./Xef/ghx",
       [&](const QImage& p) { return clockwise(clockwise(clockwise(clockwise(p)))); },
       "ab./Xef/ghx"},
      {"there and back", "abc/dex", [&](const QImage& p) { return back(clockwise(p)); }, "abc/dex"},
      {"one pixel turned", "a", clockwise, "a"},
      {"nothing turned", "", clockwise, ""},
      {"mirrored", "abc/deA", Flipping(Qt::Horizontal), "cba/Aed"},
      {"upside down", "abc/deA", Flipping(Qt::Vertical), "deA/abc"},
      {"both ways", "abc/def", Flipping(Qt::Horizontal | Qt::Vertical), "fed/cba"},
      {"nothing flipped", "", Flipping(Qt::Vertical), ""},
      {"cropped inside", "abc/def/ghx", Cropping({1, 1, 2, 1}), "ef"},
      {"cropped past the edges", "abc/def/ghx", Cropping({-1, 1, 3, 9}), "de/gh"},
      {"cropped outside", "abc/def", Cropping({3, 0, 2, 2}), ""},
      {"scaled down", "AAAA/AAAA/AAAA", Scaling({3, 1}), "AAA"},
      {"scaled up", "bb/bb", Scaling({3, 5}), "bbb/bbb/bbb/bbb/bbb"},
      {"one pixel scaled", "X", Scaling({2, 1}), "XX"},
      {"scaled to nothing", "ab", Scaling({0, 4}), ""},
      {"nothing scaled", "", Scaling({2, 2}), ""},
  };
  for (const auto format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
    for (const auto& row : rows) {
      SCOPED_TRACE(row.name);
      QImage picture = Drawn(row.picture, format);
      picture.setDevicePixelRatio(2.0);  // the canvas's ratio is not the picture's own
      const QImage result = row.op(picture);
      EXPECT_EQ(Letters(result), Letters(Drawn(row.expected, format))) << format;
      EXPECT_EQ(result.format(), result.isNull() ? QImage::Format_Invalid : format);
      EXPECT_EQ(result.devicePixelRatio(), 1.0);
    }
  }
  // Large results live in memory of their own; Qt's moves are the reference.
  const QImage big = Pattern(2101, 1003, QImage::Format_ARGB32);
  EXPECT_EQ(Turned(big, kClockwise), big.transformed(QTransform().rotate(90)));
  EXPECT_EQ(Turned(big, kCounterClockwise), big.transformed(QTransform().rotate(-90)));
  EXPECT_EQ(Turned(big, kHalf), big.mirrored(true, true));
  EXPECT_EQ(Flipped(big, Qt::Vertical), big.mirrored(false, true));
  EXPECT_EQ(Cropped(big, {-1, -1, 9999, 9999}), big);
}

TEST(ImageOpsTest, FillReachesThroughEdgesOnly) {
  constexpr auto kOpaque = QImage::Format_RGB32, kClear = QImage::Format_ARGB32;
  const struct {
    const char* name;
    QImage::Format format;
    const char* picture;
    QPoint at;
    char colour;
    const char* expected;
    QRect changed;
  } rows[] = {
      {"not through corners", kOpaque, "a.a/.a./a.a", {1, 1}, 'x', "a.a/.x./a.a", {1, 1, 1, 1}},
      {"back up on the right", kOpaque, "b.b.b/b...b", {1, 0}, 'x', "bxbxb/bxxxb", {1, 0, 3, 2}},
      {"back up on the left", kClear, "b.b.b/b...b", {3, 0}, 'X', "bXbXb/bXXXb", {1, 0, 3, 2}},
      {"winding", kOpaque, "aaa/bba/aaa/abb/aaa", {2, 4}, 'y', "yyy/bby/yyy/ybb/yyy", {0, 0, 3, 5}},
      {"whole picture", kClear, "AAA/AAA", {2, 1}, 'a', "aaa/aaa", {0, 0, 3, 2}},
      {"only the same transparency", kClear, "aAa/AAa", {1, 0}, 'x', "axa/xxa", {0, 0, 2, 2}},
      {"one pixel", kOpaque, "a", {0, 0}, 'b', "b", {0, 0, 1, 1}},
      {"same colour", kOpaque, "ab/ba", {0, 0}, 'a', "ab/ba", {}},
      {"outside", kClear, "ab/ba", {2, 0}, 'x', "ab/ba", {}},
      {"nothing", kOpaque, "", {0, 0}, 'x', "", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QImage picture = Drawn(row.picture, row.format);
    // Opaque pictures ignore the colour's own transparency.
    const QRgb colour = Colour(row.colour) & (row.format == kClear ? ~0U : 0xffffffU);
    EXPECT_EQ(Fill(picture, row.at, colour), row.changed);
    EXPECT_EQ(Letters(picture), row.expected);
  }
}

}  // namespace
}  // namespace paint
