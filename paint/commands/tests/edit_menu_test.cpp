#include "paint/tests/window_fixture.h"

namespace paint {
namespace {

TEST_F(PaintTest, CopyAndPasteAtLogicalResolution) {
  Swatch(kRedSwatch);
  Tool(kFilledCircle);
  Click(100, 100);
  Click(130, 100);
  sketchly->Edit().Copy();
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(copied.size(), QSize(Canvas().InnerWidth(), Canvas().InnerHeight()));
  EXPECT_EQ(copied.pixel(100, 100), kRed);
  EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), Drawing());

  Tool(kClear);
  sketchly->Edit().Paste();
  QTest::keyClick(form.get(), Qt::Key_Return);
  EXPECT_EQ(Drawing(), copied.convertToFormat(QImage::Format_RGB32));
  sketchly->Edit().Undo();
  EXPECT_TRUE(Blank());
  // Saved while it floats, the paste is in the file.
  QGuiApplication::clipboard()->setImage(copied);
  sketchly->Edit().Paste();
  fileAnswer = Path("pasted.png");
  sketchly->File().SaveAs();
  EXPECT_EQ(QImage(QString::fromStdString(*fileAnswer)).pixel(100, 100), kRed);
  sketchly->Edit().Undo();
  EXPECT_TRUE(Blank());

  const size_t steps = sketchly->Doc().History().Steps();
  QGuiApplication::clipboard()->setText("no image");
  sketchly->Edit().Paste();
  EXPECT_TRUE(Blank());
  EXPECT_EQ(sketchly->Doc().History().Steps(), steps);

  // Larger than any picture may be: refused in words, nothing changes.
  QImage huge(kMaxPictureSide + 1, 16, QImage::Format_Mono);
  huge.setColorTable({kWhite, kBlack});
  huge.fill(1);
  QGuiApplication::clipboard()->setImage(huge);
  boxes.clear();
  sketchly->Edit().Paste();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].prompt.find("too large"), std::string::npos) << boxes[0].prompt;
  EXPECT_TRUE(Blank());
}

}  // namespace
}  // namespace paint
