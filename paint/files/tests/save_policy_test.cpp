// What may be written where, without a window.
#include <gtest/gtest.h>

#include "paint/document/picture_limits.h"
#include "paint/files/save_policy.h"

namespace paint {
namespace {

TEST(ImageFileTest, EveryFormatWritesTheLargestPictureOrSaysWhyNot) {
  const struct {
    const char* name;
    QSize size;
    const char* problem;
  } rows[] = {
      {"a.png", {kMaxPictureSide, kMaxPictureSide}, ""},
      {"a.jpg", {kMaxPictureSide, kMaxPictureSide}, ""},
      {"a.bmp", {kMaxPictureSide, kMaxPictureSide}, ""},
      {"a.webp", {kMaxPictureSide, 10}, "WebP pictures can be at most 16383 pixels wide"},
      {"a.ico", {10, 257}, "ICO pictures can be at most 256 pixels high"},
      {"a.ico", {256, 256}, ""},
  };
  for (const auto& row : rows)
    EXPECT_EQ(SizeProblem(QString::fromUtf8(row.name), row.size), QString::fromUtf8(row.problem))
        << row.name;
}

}  // namespace
}  // namespace paint
