#include "paint/tests/window_fixture.h"

namespace paint {
namespace {

TEST_F(PaintTest, ThePickerTakesTheColourAndGivesBackTheToolBefore) {
  Tool(kFreehand);
  const std::string description = form->GetLabel("lbldes").Caption();
  Command("&Select")->trigger();
  EXPECT_NE(form->GetLabel("lbldes").Caption(), description);
  Command("Pick &Colour")->trigger();
  Canvas().PutRegion({30, 20}, [] {
    QImage dot(1, 1, QImage::Format_RGB32);
    dot.fill(0xFF123456);
    return dot;
  }());
  Click(30, 20);
  EXPECT_EQ(form->curColor, common::ColourFromRgb(0x12, 0x34, 0x56));
  EXPECT_EQ(form->GetPicture("Picture3").BackColor(), form->curColor);
  EXPECT_EQ(form->toolMode, kMove + 1) << "back to the select tool, which acts as the move tool";
  Tool(kFreehand);  // a tool button gives back the window's own tools
  EXPECT_EQ(form->toolMode, kFreehand + 1);
  EXPECT_EQ(form->GetLabel("lbldes").Caption(), description);
}

}  // namespace
}  // namespace paint
