#include "common/raster.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace common {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kRed = 0xFFFF0000;

// The same picture, drawn once with every circle flushed at once and once
// with solid concentric circles left to coalesce, must match to the pixel.
TEST(RasterTest, ConcentricSolidCirclesMatchCircleByCircle) {
  struct Case {
    int cx, cy, last;
    double ratio;
  };
  const Case cases[] = {{0, 0, 460, 1.0},
                        {389, 229, 460, 2.0},
                        {200, 100, 50, 1.5},
                        {-20, 300, 120, 1.0},
                        {100, 100, 0, 2.0}};
  for (const Case& c : cases) {
    Raster plain, coalesced;
    plain.Resize(389, 229, c.ratio, kWhite);
    coalesced.Resize(389, 229, c.ratio, kWhite);
    plain.FillBox(10, 10, 300, 40, kRed);
    coalesced.FillBox(10, 10, 300, 40, kRed);
    for (int r = 0; r <= c.last; ++r) {
      plain.Circle(c.cx, c.cy, r, kBlue, kBlue);
      plain.FlushPending();
      coalesced.Circle(c.cx, c.cy, r, kBlue, kBlue);
    }
    // A different colour after the run must land on top, not under it.
    plain.Circle(c.cx, c.cy, 5, kRed, kRed);
    coalesced.Circle(c.cx, c.cy, 5, kRed, kRed);
    EXPECT_EQ(plain.Image(), coalesced.Image()) << c.cx << "," << c.cy << " r" << c.last;
  }
}

TEST(RasterTest, CircleOutlineAndFillStayInsideTheDisk) {
  Raster raster;
  raster.Resize(100, 100, 1.0, kWhite);
  raster.Circle(50, 50, 20, kBlue, kRed);
  EXPECT_EQ(raster.Pixel(50, 50), kRed);
  EXPECT_EQ(raster.Pixel(70, 50), kBlue);
  EXPECT_EQ(raster.Pixel(50, 30), kBlue);
  EXPECT_EQ(raster.Pixel(71, 50), kWhite);
  EXPECT_EQ(raster.Pixel(66, 66), kWhite);  // beyond the diagonal
  EXPECT_EQ(raster.Pixel(64, 64), kBlue);
  raster.Circle(50, 50, 0, kRed, std::nullopt);
  EXPECT_EQ(raster.Pixel(50, 50), kRed);
}

TEST(RasterTest, HighRatioIsTheUnitPictureEnlarged) {
  for (double ratio : {2.0, 1.5, 3.0}) {
    Raster unit, scaled;
    unit.Resize(60, 40, 1.0, kWhite);
    scaled.Resize(60, 40, ratio, kWhite);
    for (Raster* r : {&unit, &scaled}) {
      r->Line(-5, 3, 70, 35, kBlue);
      r->Circle(30, 20, 12, kRed, std::nullopt);
      r->FillBox(50, 30, 45, 39, kRed);
      r->SetPixel(1, 38, kBlue);
    }
    const QImage big = scaled.Image();
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 60; ++x) {
        ASSERT_EQ(scaled.Pixel(x, y), unit.Pixel(x, y)) << x << "," << y;
        const int right = static_cast<int>((x + 1) * ratio + 1e-9) - 1;
        const int bottom = static_cast<int>((y + 1) * ratio + 1e-9) - 1;
        ASSERT_EQ(big.pixel(right, bottom), unit.Pixel(x, y)) << x << "," << y;
      }
    }
  }
}

TEST(RasterTest, FarAndDegenerateCoordinatesAreClipped) {
  Raster raster;
  raster.Resize(50, 50, 1.0, kWhite);
  raster.Line(-(int64_t{1} << 40), 25, int64_t{1} << 40, 25, kBlue);
  EXPECT_EQ(raster.Pixel(0, 25), kBlue);
  EXPECT_EQ(raster.Pixel(49, 25), kBlue);
  raster.FillBox(int64_t{1} << 40, 0, -(int64_t{1} << 40), 3, kRed);
  EXPECT_EQ(raster.Pixel(10, 2), kRed);
  raster.Circle(int64_t{1} << 40, 0, 1000000, kRed, kRed);
  raster.SetPixel(-1, 60, kRed);
  EXPECT_EQ(raster.Pixel(49, 49), kWhite);
}

TEST(RasterTest, ImageCopiesDoNotChangeWithLaterDrawing) {
  Raster raster;
  raster.Resize(10, 10, 1.0, kWhite);
  const QImage before = raster.Image();
  raster.SetPixel(5, 5, kBlue);
  EXPECT_EQ(before.pixel(5, 5), kWhite);
  EXPECT_EQ(raster.Pixel(5, 5), kBlue);
}

TEST(RasterTest, ChangingTheRatioKeepsThePicture) {
  Raster raster;
  raster.Resize(20, 20, 1.0, kWhite);
  raster.FillBox(2, 2, 5, 5, kBlue);
  raster.SetRatio(2.0);
  EXPECT_EQ(raster.Image().size(), QSize(40, 40));
  EXPECT_EQ(raster.Pixel(5, 5), kBlue);
  EXPECT_EQ(raster.Pixel(6, 6), kWhite);
}

// The gesture's rectangle gathers everything drawn since it was last taken,
// repaints in between or not, and taking it does not rob the next repaint.
TEST(RasterTest, GestureRectangleAndRegionsAtEveryRatio) {
  for (double ratio : {1.0, 1.5, 2.0}) {
    Raster raster;
    raster.Resize(60, 40, ratio, kWhite);
    raster.TakeGestureDirty();
    raster.TakeDirty();
    raster.SetPixel(3, 4, kBlue);
    EXPECT_EQ(raster.TakeDirty(), QRect(3, 4, 1, 1));
    raster.Circle(30, 20, 2, kRed, kRed);  // held back until read
    EXPECT_EQ(raster.TakeGestureDirty(), QRect(QPoint(3, 4), QPoint(32, 22)));
    EXPECT_EQ(raster.TakeDirty(), QRect(28, 18, 5, 5));
    EXPECT_EQ(raster.TakeGestureDirty(), QRect());

    const QImage region = raster.Region(QRect(25, 15, 50, 10));  // clipped
    ASSERT_EQ(region.size(), QSize(35, 10));
    const QImage before = raster.Image();
    raster.FillBox(0, 0, 59, 39, kBlue);
    raster.PutRegion(QPoint(25, 15), region);
    raster.FillBox(0, 0, 59, 14, kWhite);
    raster.FillBox(0, 25, 59, 39, kWhite);
    raster.FillBox(0, 15, 24, 24, kWhite);
    raster.SetPixel(3, 4, kBlue);
    EXPECT_EQ(raster.Image(), before) << ratio;
  }
}

}  // namespace
}  // namespace common

namespace common {
namespace {

// A picture no two of whose pixels are alike.
QImage Photo(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 7, y * 3, (x ^ y) * 5));
  return image;
}

// What a change replaced comes back exactly, and a second exchange redoes
// it; a tile is kept only where something changed, and one colour costs
// no pixels.
TEST(RasterTest, OriginalsPutBackWhatAChangeReplacedAndNoMore) {
  const struct {
    const char* name;
    std::function<void(Raster&)> change;
    int tiles;  // -1: the whole picture is kept
    int withPixels, redoneWithPixels;
  } rows[] = {
      {"a pixel", [](Raster& r) { r.SetPixel(70, 5, kRed); }, 1, 1, 1},
      {"a line across three tiles", [](Raster& r) { r.Line(0, 10, 150, 10, kRed); }, 3, 3, 3},
      {"drawn and put back",
       [](Raster& r) {
         const QRgb was = r.Pixel(3, 3);
         r.SetPixel(3, 3, kRed);
         r.SetPixel(3, 3, was);
       },
       0, 0, 0},
      {"a region put",
       [](Raster& r) {
         r.PutRegion({60, 60}, Photo(10, 10).mirrored());
       },
       4, 4, 4},
      {"a change in place, kept first",
       [](Raster& r) {
         r.Modify([](QImage& picture, const Raster::KeepArea& keep) {
           keep(QRect(130, 0, 5, 5));
           picture.setPixel(132, 2, kBlue);
           return QRect(132, 2, 1, 1);
         });
       },
       1, 1, 1},
      {"a whole tile in one colour", [](Raster& r) { r.FillBox(64, 64, 127, 127, kRed); }, 1, 1, 0},
      {"a fill of everything", [](Raster& r) { r.Fill(kBlue); }, -1, 0, 0},
      {"a new size", [](Raster& r) { r.SetSize(50, 300, kWhite); }, -1, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Raster raster;
    raster.SetImage(Photo(150, 130));
    raster.KeepOriginals();
    raster.TakeOriginals();
    const QImage before = raster.Image().copy();
    row.change(raster);
    const QImage after = raster.Image().copy();
    Originals originals = raster.TakeOriginals();
    if (row.tiles < 0) {
      EXPECT_FALSE(originals.whole.isNull());
    } else {
      ASSERT_EQ(originals.tiles.List().size(), static_cast<size_t>(row.tiles));
      EXPECT_EQ(originals.tiles.Bytes() / (Tiles::kPixels * 4), row.withPixels);
    }
    if (originals.Empty()) continue;
    ASSERT_TRUE(raster.Exchange(originals));
    EXPECT_EQ(raster.Image(), before) << "undone";
    if (row.tiles >= 0) {
      EXPECT_EQ(originals.tiles.Bytes() / (Tiles::kPixels * 4), row.redoneWithPixels);
    }
    ASSERT_TRUE(raster.Exchange(originals));
    EXPECT_EQ(raster.Image(), after) << "redone";
    EXPECT_TRUE(raster.TakeOriginals().Empty()) << "an exchange is no change";
  }
}

// Another thread copies the picture as of the last step while drawing goes
// on; a new step makes its copy stale.
TEST(RasterTest, TheSettledPictureIsTheOneBeforeTheChangesSince) {
  Raster raster;
  raster.SetImage(Photo(200, 70));
  raster.KeepOriginals();
  raster.TakeOriginals();
  const QImage settled = raster.Image().copy();
  const std::shared_ptr<const SettledPicture> reader = raster.Settled();
  const uint64_t version = reader->Version();
  raster.FillBox(10, 10, 190, 60, kRed);
  raster.SetPixel(199, 69, kBlue);
  std::vector<uchar> bytes;
  const std::optional<SettledPicture::Rows> rows = reader->CopyRows(version, 0, 100, bytes);
  ASSERT_TRUE(rows);
  ASSERT_EQ(rows->count, 70);
  EXPECT_EQ(QImage(bytes.data(), 200, 70, rows->stride, rows->format), settled);
  raster.TakeOriginals();
  EXPECT_FALSE(reader->CopyRows(version, 0, 1, bytes));
}

}  // namespace
}  // namespace common
