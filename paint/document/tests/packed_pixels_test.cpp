// Pure functions over pictures: no window.
#include <gtest/gtest.h>

#include <QImage>
#include <QStringList>
#include <QTransform>
#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "paint/document/packed_pixels.h"
#include "paint/document/stash.h"
#include "paint/tests/test_pictures.h"

namespace paint {
namespace {

QByteArray PackPixels(const QImage& image) {
  PixelPacker packer(image.width());
  packer.AddRows(image.constBits(), image.bytesPerLine(), image.height());
  return packer.Finish();
}

std::shared_ptr<Stash> Keep(const QByteArray& bytes) {
  std::shared_ptr<Stash> stash = Stash::Begin();
  stash->Append(bytes.constData(), bytes.size());
  return stash;
}

TEST(PackedPixelsTest, PackedPicturesComeBackExactlyAndDamageIsRefused) {
  const struct {
    const char* name;
    int width, height;
    QImage::Format format;
  } rows[] = {
      {"one pixel", 1, 1, QImage::Format_RGB32},
      {"odd width", 333, 7, QImage::Format_RGB32},
      {"transparency", 64, 48, QImage::Format_ARGB32},
      {"one column", 1, 300, QImage::Format_ARGB32},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const QImage picture = Pattern(row.width, row.height, row.format);
    const QByteArray packed = PackPixels(picture);
    ASSERT_FALSE(packed.isEmpty());
    EXPECT_EQ(UnpackPixels(packed, picture.size(), row.format), picture);
    // Kept in the cache folder, the bytes come back as they went.
    EXPECT_EQ(Keep(packed)->Take(), packed);
    EXPECT_TRUE(UnpackPixels(packed, QSize(row.width + 1, row.height), row.format).isNull())
        << "another size";
    if (row.width != row.height) {
      EXPECT_NE(UnpackPixels(packed, QSize(row.height, row.width), row.format), picture)
          << "sides swapped";
    }
    EXPECT_TRUE(UnpackPixels(packed.left(packed.size() / 2), picture.size(), row.format).isNull())
        << "cut short";
  }
}

// An undo step's tiles, packed into the cache file a piece at a time, come
// back exactly, those in one colour by their colour; a step that changes
// while it is packed stops the packing.
TEST(PackedPixelsTest, PackedTilesComeBackExactlyAndAStopLeavesNothing) {
  const QImage picture = Pattern(150, 70, QImage::Format_ARGB32);
  common::Originals originals;
  originals.tiles = common::Tiles(picture.size(), picture.format());
  for (const int index : {0, 2, 5}) originals.tiles.Add(index, picture);  // 2 and 5 at the edges
  originals.tiles.List().push_back({4, 0xFF00FF00, nullptr});             // one colour
  const std::atomic<bool> go{false}, stop{true};
  const std::optional<PackedOriginals> packed = PackOriginals(originals, go);
  ASSERT_TRUE(packed);
  EXPECT_FALSE(PackOriginals(originals, stop));
  const std::shared_ptr<common::Originals> back = UnpackOriginals(*packed);
  ASSERT_TRUE(back);
  QImage put = QImage(picture.size(), picture.format()), again = put;
  put.fill(0);
  again.fill(0);
  originals.tiles.Exchange(put);
  back->tiles.Exchange(again);
  EXPECT_EQ(again, put);
  EXPECT_EQ(back->tiles.Bytes(), originals.tiles.Bytes());
  PackedOriginals cut = *packed;
  cut.stash = Keep(packed->stash->Take().chopped(1));
  EXPECT_FALSE(UnpackOriginals(cut)) << "cut short";
}

}  // namespace
}  // namespace paint
