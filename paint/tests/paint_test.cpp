#include "paint/tests/window_fixture.h"

namespace paint {
namespace {

TEST_F(PaintTest, OpensWithTheLoadedState) {
  EXPECT_EQ(form->windowTitle(), "Sketchly");
  EXPECT_EQ(form->Client().size(), QSize(490, 372));
  // The menu bar and the status bar add their heights; nothing resizes the window.
  EXPECT_EQ(form->size(),
            QSize(490, 372 + form->MenuBar()->height() + form->StatusBar()->height()));
  EXPECT_EQ(form->Client().pos(), QPoint(0, form->MenuBar()->height()));
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(form->toolMode, 0);
  EXPECT_EQ(form->drawing, 0);
  EXPECT_EQ(form->curColor, common::SystemColour(7));
  EXPECT_EQ(form->lineClick, std::optional<int16_t>(0));
  EXPECT_FALSE(form->startX.has_value());
  EXPECT_EQ(form->GetLabel("lbldes").Caption(), kToolDescriptions[0]);
  EXPECT_EQ(form->GetLabel("lblx").Caption(), "");
  EXPECT_EQ(Canvas().MousePointer(), 1);
  EXPECT_EQ(Canvas().geometry(), QRect(88, 16, 393, 233));
  EXPECT_EQ(form->GetPicture("Picture3").Pixel(3, 3), kBlack);
  EXPECT_TRUE(Blank());

  QWidget& swatch0 = form->GetPicture("Picture2", 0);
  EXPECT_EQ(swatch0.parentWidget()->objectName(), "Frame1");
  EXPECT_EQ(swatch0.mapTo(&form->Client(), QPoint(0, 0)), QPoint(8, 280));
  EXPECT_EQ(form->GetPicture("Picture2", 3).geometry().topLeft(), QPoint(8, 304));
  EXPECT_EQ(form->GetButton("Command1", 5).toolTip(), "Square/Rectangle Tool");
  EXPECT_EQ(form->GetButton("Command1", 0).toolTip(), "");
  EXPECT_FALSE(form->GetButton("Command1", 0).icon().isNull());
  EXPECT_EQ(form->GetButton("cmdeditcolor").text(), "&Edit Colors...");
  EXPECT_EQ(form->GetPicture("Picture2", 1).accessibleName(), "Palette colour: light yellow");
  EXPECT_EQ(form->GetLabel("lbldes").accessibleName(), "");
}

TEST_F(PaintTest, EachToolButtonSetsToolDescriptionAndPointer) {
  for (int16_t index = 9; index >= 0; --index) {
    Tool(index);
    EXPECT_EQ(form->toolMode, index + 1);
    EXPECT_EQ(form->GetLabel("lbldes").Caption(), kToolDescriptions[index]);
    EXPECT_EQ(Canvas().MousePointer(), index == 0 ? 1 : 2);
  }
}

TEST_F(PaintTest, AnIndexPastTheIntegerRangeIsReportedAndChangesNothing) {
  form->Run([&] { form->Command1_Click(32767); });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, "Overflow");
  EXPECT_EQ(boxes[0].title, "Sketchly");
  EXPECT_EQ(form->toolMode, 0);
  form->Command1_Click(12);  // no such button: the description stays
  EXPECT_EQ(form->toolMode, 13);
  EXPECT_EQ(form->GetLabel("lbldes").Caption(), kToolDescriptions[0]);
}

TEST_F(PaintTest, ShapesNeedTwoClicksAndTheFirstDrawsNothing) {
  for (int16_t tool : {kLine, kCircle, kRectangle, kFilledBox, kFilledCircle}) {
    Tool(tool);
    Click(100, 100);
    EXPECT_TRUE(Blank()) << tool;
    Click(120, 110);
    EXPECT_FALSE(Blank()) << tool;
    Tool(kClear);
    EXPECT_TRUE(Blank()) << tool;
  }
}

TEST_F(PaintTest, LineInksBothEndsAndDoesNotChain) {
  Tool(kLine);
  Click(10, 10);
  Click(50, 30);
  EXPECT_EQ(Pixel(10, 10), kBlack);
  EXPECT_EQ(Pixel(50, 30), kBlack);
  EXPECT_EQ(Pixel(30, 20), kBlack);
  EXPECT_EQ(Pixel(30, 25), kWhite);
  EXPECT_EQ(form->lineClick, std::optional<int16_t>(0));
  Click(80, 80);  // a new first click
  EXPECT_EQ(Pixel(65, 55), kWhite);
  EXPECT_EQ(form->lineClick, std::optional<int16_t>(1));
}

TEST_F(PaintTest, AnchorIsSharedByAllShapeTools) {
  Tool(kLine);
  Click(10, 10);  // the line waits
  Tool(kCircle);
  Click(100, 100);  // the circle's centre becomes the anchor
  Click(110, 100);
  Tool(kLine);
  Click(100, 150);  // the line runs from the circle's centre
  EXPECT_EQ(Pixel(100, 125), kBlack);
  EXPECT_EQ(Pixel(10, 10), kWhite);
}

TEST_F(PaintTest, RectangleToolsShareTheirFlag) {
  Tool(kRectangle);
  Click(20, 20);
  Tool(kFilledBox);
  Click(60, 60);
  EXPECT_EQ(Pixel(40, 40), kBlack) << "a filled box";
  Tool(kClear);
  Tool(kFilledBox);
  Click(60, 60);
  Tool(kRectangle);
  Click(20, 20);  // second click above and to the left of the anchor
  EXPECT_EQ(Pixel(40, 40), kWhite) << "an outline";
  for (QPoint p : {QPoint(20, 20), QPoint(60, 20), QPoint(20, 60), QPoint(60, 60), QPoint(40, 20),
                   QPoint(60, 40), QPoint(40, 60), QPoint(20, 40)})
    EXPECT_EQ(Pixel(p.x(), p.y()), kBlack) << p.x() << "," << p.y();
}

TEST_F(PaintTest, ColourIsReadAtTheSecondClick) {
  Tool(kLine);
  Click(10, 10);
  Swatch(kRedSwatch);
  EXPECT_EQ(form->lineClick, std::optional<int16_t>(1));
  Click(40, 10);
  EXPECT_EQ(Pixel(25, 10), kRed);
  EXPECT_EQ(form->curColor, 0x000000FF);
}

TEST_F(PaintTest, AnyButtonAndModifierClicks) {
  Tool(kLine);
  QTest::mousePress(&Canvas(), Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, At(5, 5));
  EXPECT_EQ(form->drawing, 1);
  QTest::mouseRelease(&Canvas(), Qt::RightButton, {}, At(5, 5));
  EXPECT_EQ(form->drawing, 0);
  Click(25, 5, Qt::MiddleButton);
  EXPECT_EQ(Pixel(15, 5), kBlack);
}

TEST_F(PaintTest, TheBorderIsNotPartOfTheCanvas) {
  Tool(kLine);
  QTest::mousePress(&Canvas(), Qt::LeftButton, {}, QPoint(1, 1));
  EXPECT_EQ(form->drawing, 0);
  EXPECT_EQ(form->lineClick, std::optional<int16_t>(0));
  QTest::mouseRelease(&Canvas(), Qt::LeftButton, {}, QPoint(1, 1));
  // A drag that starts inside keeps reporting outside the box.
  QTest::mousePress(&Canvas(), Qt::LeftButton, {}, At(0, 0));
  Move(-10, 0, Qt::LeftButton);
  EXPECT_EQ(form->GetLabel("lblx").Caption(), "-150");
  QTest::mouseRelease(&Canvas(), Qt::LeftButton, {}, At(-10, 0));
  EXPECT_EQ(form->drawing, 0);
  // A press whose release never arrives (a dialog took it): the next
  // buttonless move frees the canvas and delivers the missed release first.
  Tool(kFreehand);
  QTest::mousePress(&Canvas(), Qt::LeftButton, {}, At(5, 5));
  Move(6, 6, Qt::NoButton);
  EXPECT_EQ(form->drawing, 0);
  EXPECT_EQ(Pixel(6, 6), kWhite);
  Move(-1, 0, Qt::NoButton);
  EXPECT_EQ(form->GetLabel("lblx").Caption(), "90");
}

struct RadiusCase {
  float x, y;
  int16_t radius;
};

TEST_F(PaintTest, RadiusRule) {
  Tool(kCircle);
  // Level with the centre rounds half to even; off both axes rounds down;
  // on the centre keeps the last radius (0 before any circle).
  const RadiusCase cases[] = {
      {1000, 1000, 0}, {1002.5, 1000, 2},      {1003.5, 1000, 4}, {1000, 997.5, 2},
      {1000, 1000, 2}, {1059.94, 1079.92, 99}, {1000, 1000, 99},  {1000, 1300, 300},
  };
  for (const RadiusCase& c : cases) {
    form->Picture1_MouseDown(1, 0, 1000, 1000);
    form->Picture1_MouseDown(1, 0, c.x, c.y);
    EXPECT_EQ(form->radius, c.radius) << c.x << "," << c.y;
  }
  EXPECT_EQ(Canvas().FillStyle(), 1);
}

TEST_F(PaintTest, FilledCircleFillsAndACircleAfterItIsAnOutline) {
  Swatch(kRedSwatch);
  Tool(kFilledCircle);
  Click(100, 100);
  Click(100, 100);  // radius 0: nothing drawn, but the fill is set
  EXPECT_EQ(Canvas().FillStyle(), 0);
  EXPECT_EQ(Canvas().FillColor(), 0x000000FF);
  Click(100, 100);
  Click(130, 100);  // radius 30 pixels
  EXPECT_EQ(Pixel(100, 100), kRed);
  EXPECT_EQ(Pixel(120, 100), kRed);
  EXPECT_EQ(Pixel(130, 100), kRed);
  EXPECT_EQ(Pixel(132, 100), kWhite);
  EXPECT_EQ(Pixel(122, 122), kWhite);
  Tool(kClear);
  Tool(kCircle);
  Click(100, 100);
  Click(130, 100);
  EXPECT_EQ(Pixel(130, 100), kRed);
  EXPECT_EQ(Pixel(100, 130), kRed);
  EXPECT_EQ(Pixel(100, 100), kWhite);
  EXPECT_EQ(Pixel(115, 100), kWhite);
}

TEST_F(PaintTest, DragToolsInkOnlyWhileAButtonIsHeld) {
  Tool(kFreehand);
  QTest::mousePress(&Canvas(), Qt::LeftButton, {}, At(10, 10));
  EXPECT_TRUE(Blank()) << "a press alone inks nothing";
  Move(20, 10, Qt::LeftButton);
  Move(40, 10, Qt::LeftButton);
  EXPECT_EQ(Pixel(20, 10), kBlack);
  EXPECT_EQ(Pixel(40, 10), kBlack);
  EXPECT_EQ(Pixel(30, 10), kWhite) << "one dot per move, not joined";
  QTest::mouseRelease(&Canvas(), Qt::LeftButton, {}, At(40, 10));
  Move(60, 10, Qt::NoButton);
  EXPECT_EQ(Pixel(60, 10), kWhite);

  Tool(kBrush);
  QTest::mousePress(&Canvas(), Qt::RightButton, {}, At(100, 100));
  Move(100, 100, Qt::RightButton);
  EXPECT_EQ(Pixel(100, 100), kBlack);
  EXPECT_EQ(Pixel(101, 101), kBlack);  // 21 twips: a square of two pixels
  EXPECT_EQ(Pixel(102, 102), kWhite);
  EXPECT_EQ(Pixel(99, 99), kWhite);
  QTest::mouseRelease(&Canvas(), Qt::RightButton, {}, At(100, 100));
}

TEST_F(PaintTest, EraserPaintsWhiteWhateverTheBackground) {
  Canvas().SetBackColor(0x000000FF);  // red background, as another scheme might give
  Tool(kFilledBox);
  Swatch(kBlackSwatch);
  Click(10, 10);
  Click(60, 60);
  Tool(kEraser);
  QTest::mousePress(&Canvas(), Qt::LeftButton, {}, At(20, 20));
  Move(20, 20, Qt::LeftButton);
  EXPECT_EQ(Pixel(20, 20), kWhite);
  EXPECT_EQ(Pixel(26, 26), kWhite);  // 101 twips: seven pixels
  EXPECT_EQ(Pixel(27, 27), kBlack);
  EXPECT_EQ(Pixel(19, 19), kBlack);
  Move(100, 100, Qt::LeftButton);
  EXPECT_EQ(Pixel(100, 100), kWhite) << "white, not the red background";
  QTest::mouseRelease(&Canvas(), Qt::LeftButton, {}, At(100, 100));
}

TEST_F(PaintTest, SecondButtonReleaseEndsTheDrag) {
  Tool(kFreehand);
  QTest::mousePress(&Canvas(), Qt::LeftButton, {}, At(10, 10));
  QTest::mousePress(&Canvas(), Qt::RightButton, {}, At(10, 10));
  QTest::mouseRelease(&Canvas(), Qt::RightButton, {}, At(10, 10));
  Move(30, 30, Qt::LeftButton);
  EXPECT_EQ(Pixel(30, 30), kWhite);
  QTest::mouseRelease(&Canvas(), Qt::LeftButton, {}, At(30, 30));
}

TEST_F(PaintTest, ClearErasesAndThenClicksDrawNothing) {
  Tool(kFilledBox);
  Click(10, 10);
  Click(50, 50);
  Tool(kClear);
  EXPECT_TRUE(Blank());
  EXPECT_EQ(form->toolMode, 7);
  Click(10, 10);
  Click(50, 50);
  QTest::mousePress(&Canvas(), Qt::LeftButton, {}, At(10, 10));
  Move(30, 30, Qt::LeftButton);
  QTest::mouseRelease(&Canvas(), Qt::LeftButton, {}, At(30, 30));
  EXPECT_TRUE(Blank());
}

TEST_F(PaintTest, PointerReadout) {
  Move(0, 0, Qt::NoButton);
  EXPECT_EQ(form->GetLabel("lblx").Caption(), "0");
  EXPECT_EQ(form->GetLabel("lbly").Caption(), "3495");
  Move(10, 228, Qt::NoButton);  // the bottom row: the readout counts from the layout height
  EXPECT_EQ(form->GetLabel("lblx").Caption(), "150");
  EXPECT_EQ(form->GetLabel("lbly").Caption(), "75");
  form->Picture1_MouseMove(0, 0, 12.25f, 1234.5f);
  EXPECT_EQ(form->GetLabel("lbly").Caption(), "2260.5");
  EXPECT_EQ(form->GetLabel("lblx").Caption(), "12.25");
  // A picture taller than the canvas counts from its own bottom edge.
  sketchly->Doc().Begin(Photo(100, 4000), QString(), ImageSource());
  form->Picture1_MouseMove(0, 0, 0, 59985);
  EXPECT_EQ(form->GetLabel("lbly").Caption(), "15");
}

TEST_F(PaintTest, PaletteAndColourDialog) {
  Swatch(kRedSwatch);
  EXPECT_EQ(form->curColor, 0x000000FF);
  EXPECT_EQ(form->GetPicture("Picture3").BackColor(), 0x000000FF);
  EXPECT_EQ(form->GetPicture("Picture3").accessibleName(), "Current colour: red");

  dialogAnswer = 0x00123456;
  QTest::mouseClick(&form->GetButton("cmdeditcolor"), Qt::LeftButton);
  EXPECT_EQ(dialogSaw, std::vector<common::Colour>{0x00FFFFFF});
  EXPECT_EQ(form->GetPicture("Picture2", 0).BackColor(), 0x00123456);
  EXPECT_EQ(form->curColor, 0x000000FF) << "the dialog does not change the drawing colour";

  dialogAnswer.reset();  // cancel: swatch 0 keeps the last chosen colour
  QTest::mouseClick(&form->GetButton("cmdeditcolor"), Qt::LeftButton);
  EXPECT_EQ(dialogSaw.back(), 0x00123456);
  EXPECT_EQ(form->GetPicture("Picture2", 0).BackColor(), 0x00123456);

  Swatch(0);
  EXPECT_EQ(form->curColor, 0x00123456);
  EXPECT_EQ(form->GetPicture("Picture3").Pixel(3, 3), qRgb(0x56, 0x34, 0x12));
}

TEST_F(PaintTest, AltEOpensTheColourDialog) {
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  EXPECT_EQ(form->GetButton("cmdeditcolor").shortcut(), QKeySequence(Qt::ALT | Qt::Key_E));
  QTest::keyClick(form->windowHandle(), Qt::Key_E, Qt::AltModifier);
  // The access key animates a press, then clicks.
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialogSaw.size() == 1; }));
}

TEST_F(PaintTest, RadiusOverflowIsReportedAndTheDrawingStays) {
  Tool(kFilledBox);
  Click(10, 10);
  Click(20, 20);
  form->toolMode = 4;
  form->Run([&] { form->Picture1_MouseDown(1, 0, 0, 0); });
  form->Run([&] { form->Picture1_MouseDown(1, 0, 0, 1e6f); });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, "Overflow");
  EXPECT_EQ(form->circleClick, std::optional<int16_t>(0));
  EXPECT_EQ(Pixel(15, 15), kBlack);
}

TEST_F(PaintTest, DrawingSurvivesBeingHiddenAndShown) {
  Tool(kFilledBox);
  Click(10, 10);
  Click(20, 20);
  form->hide();
  form->showMinimized();
  form->showNormal();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  const QImage shown = Canvas().grab().toImage();
  const qreal ratio = shown.devicePixelRatio();
  EXPECT_EQ(shown.pixel(QPoint(At(15, 15)) * ratio), kBlack);
  EXPECT_EQ(shown.pixel(QPoint(At(30, 30)) * ratio), kWhite);
}

TEST_F(PaintTest, ToolsDrawAtThePointerWhereverThePictureIsScrolled) {
  QImage grey(1000, 800, QImage::Format_RGB32);
  grey.fill(Qt::gray);
  Canvas().SetPicture(grey);
  const QSize view = Canvas().ViewRect().size();
  const struct {
    double ratio;
    QPoint scroll;  // by ScrollTo, then by the wheel
    QPoint wheel;   // angle delta; with Shift it scrolls across
    bool shift;
    QPoint origin;  // where the view then starts
  } cases[] = {
      {1, {0, 0}, {}, false, {0, 0}},
      {2, {300, 200}, {}, false, {300, 200}},
      {1, {5000, 5000}, {}, false, {1000 - view.width(), 800 - view.height()}},
      {2, {0, 0}, {0, -120}, false, {0, 60}},
      {1, {0, 0}, {0, -120}, true, {60, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ratio);
    Canvas().SetDeviceRatio(c.ratio);
    Canvas().ScrollTo(c.scroll);
    if (!c.wheel.isNull()) {
      QWheelEvent wheel(QPointF(At(50, 50)), Canvas().mapToGlobal(QPointF(At(50, 50))), {}, c.wheel,
                        Qt::NoButton, c.shift ? Qt::ShiftModifier : Qt::NoModifier,
                        Qt::NoScrollPhase, false);
      QApplication::sendEvent(&Canvas(), &wheel);
    }
    EXPECT_EQ(Canvas().ViewRect().topLeft(), c.origin);
    Drag(kFreehand, {40, 30}, {40, 30});
    EXPECT_EQ(Pixel(c.origin.x() + 40, c.origin.y() + 30), kBlack);
    EXPECT_EQ(form->GetLabel("lblx").Caption(),
              common::NumberText(static_cast<float>((c.origin.x() + 40) * 15)));
  }
  // Paste lands at the view's top left; one too large for the picture
  // enlarges it when asked to, a step of its own.
  Canvas().ScrollTo({900, 700});
  const QPoint origin = Canvas().ViewRect().topLeft();
  QImage blue(50, 30, QImage::Format_RGB32);
  blue.fill(Qt::blue);
  QGuiApplication::clipboard()->setImage(blue);
  sketchly->Edit().Paste();
  QTest::keyClick(form.get(), Qt::Key_Return);
  EXPECT_EQ(Pixel(origin.x(), origin.y()), 0xFF0000FF);
  EXPECT_EQ(Canvas().InnerRect().size(), QSize(1000, 800));
  QGuiApplication::clipboard()->setImage(QImage(1200, 900, QImage::Format_RGB32));
  boxAnswer = common::kYesAnswer;
  sketchly->Edit().Paste();
  EXPECT_EQ(Canvas().InnerRect().size(), QSize(origin.x() + 1200, origin.y() + 900));
  sketchly->Edit().Undo();  // the paste, still floating
  sketchly->Edit().Undo();
  EXPECT_EQ(Canvas().InnerRect().size(), QSize(1000, 800));
  EXPECT_EQ(Pixel(origin.x(), origin.y()), 0xFF0000FF);
  // Image > Picture Size keeps the top left and fills new area with the canvas colour.
  answers->pictureSize = [](const QSize&) { return QSize(3000, 1000); };
  sketchly->Image().PictureSize();
  answers->pictureSize = nullptr;
  EXPECT_EQ(Canvas().InnerRect().size(), QSize(3000, 1000));
  EXPECT_EQ(Pixel(2900, 50), kWhite);
  EXPECT_EQ(Pixel(10, 10), grey.pixel(10, 10));
  sketchly->Edit().Undo();
  EXPECT_EQ(Canvas().InnerRect().size(), QSize(1000, 800));
  // A picture this large comes back from redo copied aside for the next stroke.
  sketchly->Edit().Redo();
  Canvas().ScrollTo({});
  Drag(kFreehand, {45, 35}, {45, 35});
  EXPECT_EQ(Pixel(45, 35), kBlack);
  sketchly->Edit().Undo();
  EXPECT_EQ(Pixel(45, 35), grey.pixel(45, 35));
  EXPECT_EQ(Canvas().InnerRect().size(), QSize(3000, 1000));
}

TEST_F(PaintTest, AtEveryZoomToolsDrawUnderThePointerAndRepaintsMatch) {
  QImage picture(300, 200, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, qRgb(x, y, (x * y) & 255));
  Canvas().SetPicture(picture);
  const struct {
    double zoom, ratio;
    QPoint scroll;  // zoomed pixels
  } cases[] = {
      {4, 1, {100, 60}},   {4, 2, {0, 0}},     {1.5, 1, {7, 3}},     {1.5, 1.5, {31, 0}},
      {0.5, 1, {0, 0}},    {2, 1.25, {13, 9}}, {0.67, 1.25, {5, 2}}, {0.33, 2, {3, 1}},
      {32, 1, {999, 777}}, {0.05, 2, {0, 0}},
  };
  const QPoint pointer(60, 40);  // in the view
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.zoom << " at ratio " << c.ratio);
    Canvas().SetDeviceRatio(c.ratio);
    Canvas().SetZoom(c.zoom);
    Canvas().ScrollTo(c.scroll);
    const QPointF at = (QPointF(pointer + Canvas().Origin())) / c.zoom;
    const QPoint pixel(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())));
    Canvas().grab();  // painted once, so that the stroke repaints only what it changed
    Drag(kFreehand, pointer, pointer);
    if (Canvas().InnerRect().contains(pixel)) {
      EXPECT_EQ(Pixel(pixel.x(), pixel.y()), kBlack);
    }
    EXPECT_EQ(form->GetLabel("lblx").Caption(),
              common::NumberText(static_cast<float>(at.x() * common::kTwipsPerPixel)));
    // What the stroke repainted equals the whole view painted afresh.
    const QImage incremental = Canvas().grab().toImage();
    const QPoint origin = Canvas().Origin();
    Canvas().SetZoom(c.zoom * 2);
    Canvas().grab();  // painted at another zoom: nothing of the view is kept
    Canvas().SetZoom(c.zoom);
    Canvas().ScrollTo(origin);
    EXPECT_EQ(Canvas().grab().toImage(), incremental);
  }
  // Zoomed out, fine detail is averaged, not picked: a one-pixel checker is grey.
  QImage checker(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) checker.setPixel(x, y, (x + y) % 2 ? kWhite : kBlack);
  Canvas().SetPicture(checker);
  Canvas().SetDeviceRatio(1);
  Canvas().SetZoom(0.5);
  const QRgb grey = Canvas().grab().toImage().pixel(At(10, 10));
  EXPECT_NEAR(qRed(grey), 128, 2);
  // Transparent pixels show over a light checkerboard, at any zoom.
  QImage clear(64, 64, QImage::Format_ARGB32);
  clear.fill(Qt::transparent);
  Canvas().SetPicture(clear);
  for (const double zoom : {1.0, 4.0}) {
    Canvas().SetZoom(zoom);
    Canvas().ScrollTo({});
    const QImage shown = Canvas().grab().toImage();
    const auto at = [&](int x, int y) {
      return (QPointF(At(x, y)) * shown.devicePixelRatio()).toPoint();
    };
    EXPECT_EQ(shown.pixel(at(1, 1)), kWhite) << zoom;
    EXPECT_EQ(shown.pixel(at(9, 1)), 0xFFD6D6D6) << zoom;
  }
  // Ctrl+wheel zooms in about the pointer: the picture point under it stays.
  Canvas().SetPicture(picture);
  Canvas().SetZoom(1);
  const QPointF before = QPointF(At(30, 20) - QPoint(kBorder, kBorder) + Canvas().Origin());
  QWheelEvent wheel(QPointF(At(30, 20)), Canvas().mapToGlobal(QPointF(At(30, 20))), {}, {0, 120},
                    Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&Canvas(), &wheel);
  EXPECT_EQ(Canvas().Zoom(), 1.5);
  const QPointF after =
      QPointF(At(30, 20) - QPoint(kBorder, kBorder) + Canvas().Origin()) / Canvas().Zoom();
  EXPECT_NEAR(after.x(), before.x(), 1.0);
  EXPECT_NEAR(after.y(), before.y(), 1.0);
}

}  // namespace
}  // namespace paint
