#include "common/form.h"

#include <gtest/gtest.h>

namespace common {
namespace {

// A window without a menu bar is exactly its client area and keeps that size
// (paint's tests cover the one with a menu bar).
TEST(FormTest, KeepsTheSizeOfItsClientArea) {
  const FormSpec spec{.caption = "Test", .clientWidth = 3000, .clientHeight = 1500};
  Form form(spec);
  form.Start();
  form.resize(600, 600);
  EXPECT_EQ(form.size(), QSize(200, 100));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(&form.Client(), &form);
  EXPECT_EQ(form.MenuBar(), nullptr);
}

}  // namespace
}  // namespace common
