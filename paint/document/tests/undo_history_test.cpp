#include <QTransform>

#include "paint/tests/test_pictures.h"
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
      {"turn", 2, [&] { sketchly->Image().RotateClockwise(); }},
      {"flood fill", 1.5,
       [&] {
         Command("&Fill")->trigger();
         Click(300, 100);
       }},
      {"selection deleted", 1,
       [&] {
         sketchly->Edit().SelectAll();
         sketchly->Edit().Delete();
       }},
      {"highlighter", 2,
       [&] {
         Command("&Highlighter")->trigger();
         QTest::mousePress(&Canvas(), Qt::LeftButton, {}, At(20, 20));
         Move(260, 160, Qt::LeftButton);
         QTest::mouseRelease(&Canvas(), Qt::LeftButton, {}, At(260, 160));
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

TEST_F(PaintTest, HistoryKeepsWhatStepsChangedAndTheLastStepsWhateverTheirSize) {
  const QSize canvas(Canvas().InnerWidth(), Canvas().InnerHeight());
  const QSize large(1100, 1000);  // a step over it is packed aside
  const auto tileBytes = [](QSize size) {
    return static_cast<size_t>(common::Tiles::Count(size)) * common::Tiles::kPixels * 4;
  };
  const size_t whole = tileBytes(canvas);
  // Steps over the whole picture, each pixel new: every tile kept.
  const QImage patterns[] = {Pattern(1100, 1000, QImage::Format_RGB32),
                             Pattern(1100, 1000, QImage::Format_RGB32).mirrored(true, true)};
  const auto photo = [&](int i) { Canvas().PutRegion({}, patterns[i % 2]); };
  const auto flat = [&](int i) {
    Canvas().LineFilledBox(0, 0, 1e6, 1e6, i % 2 ? 0x000000FF : static_cast<common::Colour>(i));
  };
  // A new picture each step, turned: the whole picture kept.
  const auto turn = [&](int i) {
    Canvas().SetPicture(i % 2 ? patterns[0] : patterns[1].transformed(QTransform().rotate(90)));
  };
  const auto stroke = [&](int i) { Canvas().Line(0, i * 15, 2000, i * 15 + 1500, 0x0000FF00); };
  const struct {
    const char* name;
    QSize picture;
    std::function<void(int)> step;
    size_t cap, diskCap;
    int steps;
    size_t kept;
    size_t most;  // bytes the steps may hold once packed
    bool packs;
  } cases[] = {
      {"small steps within the cap", canvas, photo, UndoHistory::kDefaultCap,
       UndoHistory::kDefaultDiskCap, 90, 90, SIZE_MAX, false},
      {"small steps over the cap: the last ten stay", canvas, photo, 3 * whole + 1000,
       UndoHistory::kDefaultDiskCap, 14, 10, SIZE_MAX, false},
      {"the last ten stay even over a tiny cap", canvas, photo, 1, 1, 5, 5, SIZE_MAX, false},
      {"large steps packed aside: all kept", large, photo, UndoHistory::kDefaultCap,
       UndoHistory::kDefaultDiskCap, 12, 12, tileBytes(large) + 64 * 1024, true},
      {"large steps over the packed cap: the last ten stay", large, photo, UndoHistory::kDefaultCap,
       1, 14, 10, tileBytes(large) + 64 * 1024, true},
      {"a stroke keeps the tiles it crossed", large, stroke, UndoHistory::kDefaultCap,
       UndoHistory::kDefaultDiskCap, 12, 12, 12 * 5 * tileBytes({64, 64}), false},
      {"whole pictures of another size packed aside", large, turn, UndoHistory::kDefaultCap,
       UndoHistory::kDefaultDiskCap, 12, 12, tileBytes(large) + 64 * 1024, true},
      {"a fill in one colour keeps colours, not pixels", large, flat, UndoHistory::kDefaultCap,
       UndoHistory::kDefaultDiskCap, 12, 12, 256 * 1024, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QImage start = Pattern(c.picture.width(), c.picture.height(), QImage::Format_RGB32);
    start.invertPixels();  // unlike either pattern anywhere
    Canvas().SetPicture(start);
    UndoHistory history(Canvas(), c.cap, c.diskCap);
    std::vector<QImage> states{Drawing()};
    for (int i = 0; i < c.steps; ++i) {
      c.step(i);
      history.Checkpoint();
      states.push_back(Drawing());
    }
    history.Settle();
    EXPECT_EQ(history.Steps(), c.kept);
    EXPECT_LE(history.Bytes(), c.most) << "only the step at hand is unpacked";
    EXPECT_EQ(history.PackedBytes() > 0, c.packs);
    if (c.packs) {
      history.LetGo();  // as before a new picture: the step at hand packed too
      EXPECT_LE(history.Bytes(), 64u * 1024);
    }
    for (size_t back = 1; back <= c.kept; ++back) {
      // Every other step unpacked first, as the window does it aside.
      if (const auto unpack = history.PackedNext(true); unpack && back % 2)
        history.Unpacked(true, unpack());
      ASSERT_TRUE(history.Undo());
      ASSERT_EQ(Drawing(), states[states.size() - 1 - back]) << back << " steps back";
    }
    EXPECT_FALSE(history.Undo());
    for (size_t on = 1; history.Redo(); ++on)
      ASSERT_EQ(Drawing(), states[states.size() - 1 - c.kept + on]) << on << " steps on";
    EXPECT_EQ(Drawing(), states.back());
  }
}

}  // namespace
}  // namespace paint
