#include "paint/tests/window_fixture.h"

namespace paint {
namespace {

TEST_F(PaintTest, UndoAndRedoPutBackEveryPixelAndNoField) {
  struct Case {
    const char* name;
    double ratio;
    std::function<void()> step;
  };
  const Case cases[] = {
      {"freehand", 1.5,
       [&] {
         Drag(kFreehand, {250, 180}, {300, 200});
       }},
      {"eraser", 2,
       [&] {
         Drag(kEraser, {40, 40}, {90, 60});
       }},
      {"filled circle", 1,
       [&] {
         Tool(kFilledCircle);
         Click(100, 100);
         Click(160, 100);
       }},
      {"clear", 1.5, [&] { Tool(kClear); }},
      {"paste", 2,
       [&] {
         QImage square(50, 30, QImage::Format_ARGB32);
         square.fill(Qt::blue);
         QGuiApplication::clipboard()->setImage(square);
         sketchly->Edit().Paste();
         QTest::keyClick(form.get(), Qt::Key_Return);  // set down where it floats
       }},
  };
  for (const Case& c : cases) {
    Canvas().SetDeviceRatio(c.ratio);
    Swatch(kRedSwatch);
    Tool(kFilledBox);
    Click(5, 5);
    Click(200, 150);  // something to go back to
    const QImage before = Canvas().Image();
    c.step();
    const QImage after = Canvas().Image();
    ASSERT_NE(before, after) << c.name;
    const auto fields = Fields();
    sketchly->Edit().Undo();
    EXPECT_EQ(Canvas().Image(), before) << c.name;
    EXPECT_EQ(Fields(), fields) << c.name;
    sketchly->Edit().Redo();
    EXPECT_EQ(Canvas().Image(), after) << c.name;
    sketchly->Edit().Undo();
    Drag(kBrush, {300, 200}, {300, 200});  // a new step: nothing left to redo
    const QImage brushed = Canvas().Image();
    sketchly->Edit().Redo();
    EXPECT_EQ(Canvas().Image(), brushed) << c.name;
    sketchly->Edit().Undo();
    EXPECT_EQ(Canvas().Image(), before) << c.name;
  }
}

TEST_F(PaintTest, HistoryKeepsTheLastStepsWhateverTheirSizeAndTrimsOnlyBeyondThem) {
  const QSize canvas(Canvas().InnerWidth(), Canvas().InnerHeight());
  const size_t whole = static_cast<size_t>(Drawing().sizeInBytes());
  const QSize large(1100, 1000);  // a step over it is packed aside
  const size_t raw = size_t{1100} * 1000 * 4;
  const struct {
    const char* name;
    QSize picture;
    size_t cap, diskCap;
    int steps;
    size_t kept;
  } cases[] = {
      {"small steps within the cap", canvas, UndoHistory::kDefaultCap, UndoHistory::kDefaultDiskCap,
       120, 120},
      {"small steps over the cap: the last ten stay", canvas, 3 * whole + 1000,
       UndoHistory::kDefaultDiskCap, 14, 10},
      {"the last ten stay even over a tiny cap", canvas, 1, 1, 5, 5},
      {"large steps packed aside: all kept", large, UndoHistory::kDefaultCap,
       UndoHistory::kDefaultDiskCap, 12, 12},
      {"large steps over the packed cap: the last ten stay", large, UndoHistory::kDefaultCap, 1, 14,
       10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QImage start(c.picture, QImage::Format_RGB32);
    for (int y = 0; y < start.height(); ++y)  // photo-like: no two rows alike
      for (int x = 0; x < start.width(); ++x) start.setPixel(x, y, qRgb(x * 7, y * 3, x ^ y));
    Canvas().SetPicture(start);
    UndoHistory history(Canvas(), c.cap, c.diskCap);
    std::vector<QImage> states{Drawing()};
    for (int i = 0; i < c.steps; ++i) {
      Canvas().LineFilledBox(0, 0, 1e6, 1e6, i % 2 ? 0x000000FF : static_cast<common::Colour>(i));
      history.Checkpoint();
      states.push_back(Drawing());
    }
    history.Settle();
    EXPECT_EQ(history.Steps(), c.kept);
    if (c.picture == large) {
      EXPECT_LE(history.Bytes(), raw + 64 * 1024) << "only the next step to undo is unpacked";
      EXPECT_GT(history.PackedBytes(), 0u);
    }
    for (size_t back = 1; back <= c.kept; ++back) {
      // Every other step unpacked first, as the window does it aside.
      if (const auto unpack = history.PackedNext(true); unpack && back % 2)
        history.Unpacked(true, unpack());
      ASSERT_TRUE(history.Undo());
      ASSERT_EQ(Drawing(), states[states.size() - 1 - back]) << back << " steps back";
    }
    EXPECT_FALSE(history.Undo());
    while (history.Redo()) {
    }
    EXPECT_EQ(Drawing(), states.back());
  }
}

}  // namespace
}  // namespace paint
