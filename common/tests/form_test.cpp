#include "common/form.h"

#include <gtest/gtest.h>

namespace common {
namespace {

constexpr ControlSpec kControls[] = {
    {.name = "Label1",
     .kind = ControlKind::kLabel,
     .left = 150,
     .top = 300,
     .width = 600,
     .height = 300},
};

// A window keeps the size of its client area, with a menu bar above it if it
// has one; the controls stand where the layout puts them in that area.
TEST(FormTest, FixedSizeWithOrWithoutAMenuBar) {
  for (bool menuBar : {false, true}) {
    const FormSpec spec{.caption = "Test",
                        .clientWidth = 3000,
                        .clientHeight = 1500,
                        .menuBar = menuBar,
                        .controls = kControls};
    Form form(spec);
    if (menuBar) form.MenuBar()->addMenu("&File");
    form.Start();
    const int bar = menuBar ? form.MenuBar()->height() : 0;
    EXPECT_EQ(form.MenuBar() != nullptr, menuBar);
    EXPECT_EQ(form.size(), QSize(200, 100 + bar));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form.GetLabel("Label1").mapTo(&form, QPoint(0, 0)), QPoint(10, 20 + bar));
    form.resize(600, 600);
    EXPECT_EQ(form.size(), QSize(200, 100 + bar));
  }
}

}  // namespace
}  // namespace common
