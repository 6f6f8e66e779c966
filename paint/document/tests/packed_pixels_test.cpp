// Pure functions over pictures: no window.
#include <gtest/gtest.h>

#include <QImage>
#include <QStringList>
#include <QTransform>
#include <algorithm>
#include <functional>
#include <string>

#include "paint/document/packed_pixels.h"
#include "paint/document/stash.h"
#include "paint/tests/test_pictures.h"

namespace paint {
namespace {

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
    EXPECT_EQ(Stash::Keep(packed)->Take(), packed);
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

}  // namespace
}  // namespace paint
