#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QImageReader>
#include <QImageWriter>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "common/aside.h"
#include "common/i18n.h"
#include "common/native_path.h"
#include "common/numbers.h"
#include "paint/commands/picture_size.h"
#include "paint/commands/quality_dialog.h"
#include "paint/commands/sketchly.h"
#include "paint/document/picture_limits.h"
#include "paint/document/recovery.h"
#include "paint/files/compression.h"
#include "paint/files/save_policy.h"
#include "paint/form1.h"
#include "paint/form1_layout.h"
#include "paint/image/image_ops.h"
#include "paint/tool_buttons.h"

namespace paint {
namespace {

using namespace std::chrono_literals;

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr int kBorder = 2;  // the canvas's sunken edge, in logical pixels

// Palette indexes.
constexpr int16_t kRedSwatch = 5;
constexpr int16_t kBlackSwatch = 19;

class PaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    common::SetMessageBoxHook([this](const common::MessageBoxRequest& request) {
      boxes.push_back(request);
      return boxAnswer;
    });
    common::SetFileDialogHook([this](const common::FileDialogRequest& request) {
      fileRequests.push_back(request);
      if (request.chosenFilter) *request.chosenFilter = filterAnswer;
      return fileAnswer;
    });
    SetQualityHook([this](const Compression& initial) {
      qualityAsked.push_back(initial.quality);
      return qualityAnswer;
    });
    common::CommonDialog::SetColorHook(
        [this](QWidget*, common::Colour current) -> std::optional<common::Colour> {
          dialogSaw.push_back(current);
          return dialogAnswer;
        });
    form = std::make_unique<Form1>();
    sketchly = &Attach(*form);
    form->Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }
  void TearDown() override {
    common::SetMessageBoxHook(nullptr);
    common::SetFileDialogHook(nullptr);
    common::CommonDialog::SetColorHook(nullptr);
    SetQualityHook(nullptr);
  }

  common::PictureBox& Canvas() { return form->GetPicture("Picture1"); }
  void Tool(int16_t index) {
    QTest::mouseClick(&form->GetButton("Command1", index), Qt::LeftButton);
  }
  void Swatch(int16_t index) {
    QTest::mouseClick(&form->GetPicture("Picture2", index), Qt::LeftButton, {}, QPoint(5, 5));
  }
  // Real mouse events at a logical pixel of the canvas's inner area.
  static QPoint At(int x, int y) { return QPoint(x + kBorder, y + kBorder); }
  void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(&Canvas(), button, {}, At(x, y));
    QTest::mouseRelease(&Canvas(), button, {}, At(x, y));
  }
  void Move(int x, int y, Qt::MouseButtons held) {
    QMouseEvent move(QEvent::MouseMove, QPointF(At(x, y)), Canvas().mapToGlobal(QPointF(At(x, y))),
                     Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(&Canvas(), &move);
  }
  QRgb Pixel(int x, int y) { return Canvas().Pixel(x, y); }
  // The menu command with this text.
  QAction* Command(const char* text) {
    for (QAction* menu : form->MenuBar()->actions())
      for (QAction* action : menu->menu()->actions())
        if (action->text() == text) return action;
    return nullptr;
  }
  bool Blank() {
    const QImage image = Canvas().Image();
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != kWhite) return false;
    return true;
  }

  QImage Drawing() {
    return Canvas().Region(QRect(0, 0, Canvas().InnerWidth(), Canvas().InnerHeight()));
  }
  auto Fields() {
    return std::tuple(form->drawing, form->curColor, form->toolMode, form->startX, form->startY,
                      form->lineClick, form->circleClick, form->fillCircleClick, form->rectClick,
                      form->radius);
  }
  void Drag(int16_t tool, QPoint from, QPoint to) {
    Tool(tool);
    QTest::mousePress(&Canvas(), Qt::LeftButton, {}, At(from.x(), from.y()));
    Move(from.x(), from.y(), Qt::LeftButton);
    Move(to.x(), to.y(), Qt::LeftButton);
    QTest::mouseRelease(&Canvas(), Qt::LeftButton, {}, At(to.x(), to.y()));
  }
  std::string Path(const char* name) { return dir.filePath(QString::fromUtf8(name)).toStdString(); }

  std::unique_ptr<Form1> form;
  Sketchly* sketchly = nullptr;
  int boxAnswer = common::kOkAnswer;
  std::optional<std::string> fileAnswer;
  std::string filterAnswer;
  std::vector<common::FileDialogRequest> fileRequests;
  std::optional<int> qualityAnswer;
  std::vector<int> qualityAsked;
  QTemporaryDir dir;
  std::vector<common::MessageBoxRequest> boxes;
  std::vector<common::Colour> dialogSaw;
  std::optional<common::Colour> dialogAnswer;
};

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
         sketchly->Paste();
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
    sketchly->Undo();
    EXPECT_EQ(Canvas().Image(), before) << c.name;
    EXPECT_EQ(Fields(), fields) << c.name;
    sketchly->Redo();
    EXPECT_EQ(Canvas().Image(), after) << c.name;
    sketchly->Undo();
    Drag(kBrush, {300, 200}, {300, 200});  // a new step: nothing left to redo
    const QImage brushed = Canvas().Image();
    sketchly->Redo();
    EXPECT_EQ(Canvas().Image(), brushed) << c.name;
    sketchly->Undo();
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

TEST_F(PaintTest, CopyAndPasteAtLogicalResolution) {
  Swatch(kRedSwatch);
  Tool(kFilledCircle);
  Click(100, 100);
  Click(130, 100);
  sketchly->Copy();
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(copied.size(), QSize(Canvas().InnerWidth(), Canvas().InnerHeight()));
  EXPECT_EQ(copied.pixel(100, 100), kRed);
  EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), Drawing());

  Tool(kClear);
  sketchly->Paste();
  QTest::keyClick(form.get(), Qt::Key_Return);
  EXPECT_EQ(Drawing(), copied.convertToFormat(QImage::Format_RGB32));
  sketchly->Undo();
  EXPECT_TRUE(Blank());

  const size_t steps = sketchly->History().Steps();
  QGuiApplication::clipboard()->setText("no image");
  sketchly->Paste();
  EXPECT_TRUE(Blank());
  EXPECT_EQ(sketchly->History().Steps(), steps);

  // Larger than any picture may be: refused in words, nothing changes.
  QImage huge(kMaxPictureSide + 1, 16, QImage::Format_Mono);
  huge.setColorTable({kWhite, kBlack});
  huge.fill(1);
  QGuiApplication::clipboard()->setImage(huge);
  boxes.clear();
  sketchly->Paste();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].prompt.find("too large"), std::string::npos) << boxes[0].prompt;
  EXPECT_TRUE(Blank());
}

TEST_F(PaintTest, OpenRefusesWhatItCannotReadAndKeepsThePicture) {
  ASSERT_TRUE(dir.isValid());
  const QString notes = QString::fromStdString(Path("notes.png"));
  const QString pipe = QString::fromStdString(Path("pipe"));
  const QString cut = QString::fromStdString(Path("cut.png"));
  const QString big = QString::fromStdString(Path("big.png"));
  const QString wide = QString::fromStdString(Path("wide.png"));
  QFile text(notes);
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("not an image");
  text.close();
  ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
  const QString v3bmp = QString::fromStdString(Path("v3.bmp"));
  const QString heif = QString::fromStdString(Path("photo.heic"));
  // A 56-byte header with its colour masks, which Qt's reader declines.
  const char v3[] =
      "BM\x4a\0\0\0\0\0\0\0\x46\0\0\0\x38\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x20\0\x03\0\0\0"
      "\x04\0\0\0\x13\x0b\0\0\x13\x0b\0\0\0\0\0\0\0\0\0\0\0\0\xff\0\0\xff\0\0\xff\0\0\0"
      "\0\0\0\xff\x99\x66\x33\xff";
  const char heic[] =
      "\0\0\0\x18"
      "ftypheic\0\0\0\0mif1heic";
  for (const auto& [path, bytes] : {std::pair{v3bmp, QByteArray(v3, sizeof v3 - 1)},
                                    std::pair{heif, QByteArray(heic, sizeof heic - 1)}}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QImage large(1000, 800, QImage::Format_RGB32);
  large.fill(Qt::green);
  ASSERT_TRUE(large.save(big));
  QImage overLimit(kMaxPictureSide + 1, 1, QImage::Format_RGB32);
  overLimit.fill(Qt::green);
  ASSERT_TRUE(overLimit.save(wide));
  QFile whole(big), half(cut);
  ASSERT_TRUE(whole.open(QIODevice::ReadOnly) && half.open(QIODevice::WriteOnly));
  half.write(whole.readAll().left(60));  // not one row of data
  whole.close();
  half.close();
  const struct {
    QString path;
    const char* reason;
  } cases[] = {
      {dir.path(), "is a folder"},
      {pipe, "is not a regular file"},
      {notes, "is not an image file"},
      {QString::fromStdString(Path("missing.png")), "does not exist"},
      {cut, "damaged or cut short"},
      {wide, "too large"},
      {v3bmp, "uses a kind of BMP that this system cannot read"},
      {heif, "is a HEIF image, which this system cannot read"},
  };
  Tool(kFilledBox);
  Click(10, 10);
  Click(20, 20);
  const QImage drawn = Drawing();
  const size_t steps = sketchly->History().Steps();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    boxes.clear();
    EXPECT_FALSE(sketchly->OpenAtStart(c.path));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].prompt.find(c.path.toStdString()), std::string::npos);
    EXPECT_NE(boxes[0].prompt.find(c.reason), std::string::npos) << boxes[0].prompt;
    EXPECT_EQ(Drawing(), drawn);
    EXPECT_EQ(sketchly->History().Steps(), steps);
  }
  // The drawing has changes: opening asks first, and Cancel keeps them.
  boxes.clear();
  boxAnswer = common::kCancelAnswer;
  form->fileDropped(big);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(Drawing(), drawn);
  boxAnswer = common::kDiscardAnswer;
  form->fileDropped(big);
  EXPECT_EQ(Canvas().InnerRect().size(), QSize(1000, 800));
  EXPECT_EQ(sketchly->CurrentFile(), big);
  EXPECT_FALSE(sketchly->Modified());
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
  sketchly->Paste();
  QTest::keyClick(form.get(), Qt::Key_Return);
  EXPECT_EQ(Pixel(origin.x(), origin.y()), 0xFF0000FF);
  EXPECT_EQ(Canvas().InnerRect().size(), QSize(1000, 800));
  QGuiApplication::clipboard()->setImage(QImage(1200, 900, QImage::Format_RGB32));
  boxAnswer = common::kYesAnswer;
  sketchly->Paste();
  EXPECT_EQ(Canvas().InnerRect().size(), QSize(origin.x() + 1200, origin.y() + 900));
  sketchly->Undo();  // the paste, still floating
  sketchly->Undo();
  EXPECT_EQ(Canvas().InnerRect().size(), QSize(1000, 800));
  EXPECT_EQ(Pixel(origin.x(), origin.y()), 0xFF0000FF);
  // Image > Picture Size keeps the top left and fills new area with the canvas colour.
  SetPictureSizeHook([](const QSize&) { return QSize(3000, 1000); });
  sketchly->PictureSize();
  SetPictureSizeHook(nullptr);
  EXPECT_EQ(Canvas().InnerRect().size(), QSize(3000, 1000));
  EXPECT_EQ(Pixel(2900, 50), kWhite);
  EXPECT_EQ(Pixel(10, 10), grey.pixel(10, 10));
  sketchly->Undo();
  EXPECT_EQ(Canvas().InnerRect().size(), QSize(1000, 800));
  // A picture this large comes back from redo copied aside for the next stroke.
  sketchly->Redo();
  Canvas().ScrollTo({});
  Drag(kFreehand, {45, 35}, {45, 35});
  EXPECT_EQ(Pixel(45, 35), kBlack);
  sketchly->Undo();
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

TEST_F(PaintTest, KeysMoveAboutThePictureAndOpeningFitsItInView) {
  ASSERT_TRUE(dir.isValid());
  const QString big = dir.filePath(QStringLiteral("big.png"));
  QImage picture(1000, 800, QImage::Format_RGB32);
  picture.fill(Qt::gray);
  ASSERT_TRUE(picture.save(big));
  ASSERT_TRUE(sketchly->OpenAtStart(big));
  EXPECT_DOUBLE_EQ(Canvas().Zoom(), Canvas().FitZoom()) << "a larger picture opens whole";
  EXPECT_LT(Canvas().Zoom(), 1.0);
  sketchly->ActualSize();
  const QSize view = Canvas().ViewRect().size();
  const QPoint end(1000 - view.width(), 800 - view.height());
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QPoint origin;
  } keys[] = {
      {Qt::Key_Left, {}, {280, 200}},
      {Qt::Key_Right, {}, {320, 200}},
      {Qt::Key_Up, {}, {300, 180}},
      {Qt::Key_Down, {}, {300, 220}},
      {Qt::Key_PageUp, {}, {300, std::max(200 - view.height() * 9 / 10, 0)}},
      {Qt::Key_PageDown, {}, {300, 200 + view.height() * 9 / 10}},
      {Qt::Key_Home, {}, {0, 200}},
      {Qt::Key_End, {}, {end.x(), 200}},
      {Qt::Key_Home, Qt::ControlModifier, {0, 0}},
      {Qt::Key_End, Qt::ControlModifier, end},
  };
  for (const auto& row : keys) {
    Canvas().ScrollTo({300, 200});
    QTest::keyClick(&Canvas(), row.key, row.modifiers);
    EXPECT_EQ(Canvas().Origin(), row.origin) << row.key;
  }
  sketchly->New();
  EXPECT_EQ(Canvas().Zoom(), 1.0);
}

TEST_F(PaintTest, ClosingAsksOnlyWhenTheDrawingIsUnsaved) {
  ASSERT_TRUE(dir.isValid());
  sketchly->Save();  // no file yet: asks for one, and a cancel saves nothing
  EXPECT_EQ(sketchly->CurrentFile(), QString());
  EXPECT_TRUE(form->close()) << "a fresh drawing closes without a question";
  EXPECT_TRUE(boxes.empty());
  struct Case {
    int answer;
    std::optional<std::string> file;
    bool closes;
    const char* title;  // with no file it stays the caption, modified or not
  };
  const Case cases[] = {
      {common::kCancelAnswer, std::nullopt, false, "Sketchly"},
      {common::kSaveAnswer, std::nullopt, false, "Sketchly"},  // the file dialog cancelled
      {common::kSaveAnswer, Path("kept.png"), true, "kept.png – Sketchly"},
      {common::kDiscardAnswer, std::nullopt, true, "kept.png* – Sketchly"},
  };
  int x = 0;
  for (const Case& c : cases) {
    form->show();
    x += 20;
    Drag(kBrush, {x, 10}, {x, 10});
    boxes.clear();
    boxAnswer = c.answer;
    fileAnswer = c.file;
    EXPECT_EQ(form->close(), c.closes) << c.answer;
    ASSERT_EQ(boxes.size(), 1u) << c.answer;
    EXPECT_EQ(boxes[0].buttons & 15, common::kSaveDiscardCancel);
    EXPECT_EQ(form->windowHandle()->title(), QString::fromUtf8(c.title));
  }
  EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("kept.png"))));
  form->show();
  boxes.clear();
  sketchly->Undo();  // back to the state that was saved
  EXPECT_FALSE(sketchly->Modified());
  sketchly->Redo();
  EXPECT_TRUE(sketchly->Modified());
}

TEST_F(PaintTest, MenusUseStandardKeysAndLeaveAltEToTheColourButton) {
  QStringList titles;
  for (QAction* menu : form->MenuBar()->actions()) titles << menu->text();
  EXPECT_EQ(titles, QStringList({"&File", "E&dit", "&View", "&Image", "&Tools", "&Help"}));
  // Keys the platform's standard may lack.
  const std::pair<const char*, QKeySequence> cases[] = {
      {"Save &As...", QKeySequence("Ctrl+Shift+S")},
      {"&Quit", QKeySequence("Ctrl+Q")},
      {"&Redo", QKeySequence("Ctrl+Shift+Z")},
      {"&Redo", QKeySequence("Ctrl+Y")}};
  const auto command = [this](const char* text) { return Command(text); };
  for (const auto& [text, key] : cases) {
    ASSERT_NE(command(text), nullptr) << text;
    EXPECT_TRUE(command(text)->shortcuts().contains(key)) << text;
  }
  // Greyed while they have nothing to act on.
  const auto enabled = [&] {
    return std::tuple(command("&Undo")->isEnabled(), command("&Redo")->isEnabled(),
                      command("&Save")->isEnabled());
  };
  EXPECT_EQ(enabled(), std::tuple(false, false, false));
  Drag(kBrush, {10, 10}, {10, 10});
  EXPECT_EQ(enabled(), std::tuple(true, false, true));
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  QTest::keyClick(form->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(Blank());
  EXPECT_EQ(enabled(), std::tuple(false, true, false));
  // One line per command with its usual keys, as a table.
  sketchly->ShowShortcuts();
  auto* dialog = form->findChild<QDialog*>(QStringLiteral("shortcuts"));
  ASSERT_NE(dialog, nullptr);
  const QTableWidget* table = dialog->findChild<QTableWidget*>();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
  // Every row shows, unless the screen is too small for them.
  EXPECT_GE(table->viewport()->height(),
            std::min(table->verticalHeader()->length(),
                     dialog->screen()->availableGeometry().height() / 2));
  QStringList lines;
  for (int row = 0; row < table->rowCount(); ++row)
    lines << table->item(row, 0)->text() + QStringLiteral(": ") + table->item(row, 1)->text();
  for (const char* line : {"Undo: Ctrl+Z", "Copy: Ctrl+C", "Paste: Ctrl+V"})
    EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << lines.join(u'|').toStdString();
  EXPECT_FALSE(lines.join(u'|').contains(QStringLiteral("Ins"))) << "no rare alternates";
  delete dialog;
  // A command that fails is reported in the window's box, and the window goes on.
  common::SetFileDialogHook([](const common::FileDialogRequest&) -> std::optional<std::string> {
    throw std::runtime_error("no file chooser");
  });
  command("&Open...")->trigger();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, "no file chooser");
  EXPECT_EQ(boxes[0].title, "Sketchly");
  EXPECT_TRUE(form->isVisible());
}

TEST_F(PaintTest, NothingActsOnTheDocumentWhileWorkRunsAside) {
  Tool(kFilledBox);
  Click(10, 10);
  Click(20, 20);  // unsaved changes, which a slipped command would save or drop
  const QImage drawn = Drawing();
  const QString png = QString::fromStdString(Path("other.png"));
  ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(png));
  int dialogs = 0;
  common::SetFileDialogHook([&](const common::FileDialogRequest&) {
    ++dialogs;
    return std::optional<std::string>();
  });
  common::SetMessageBoxHook([this](const common::MessageBoxRequest& request) {
    boxes.push_back(request);
    return (request.buttons & 15) == common::kYesNo ? boxAnswer : common::kDiscardAnswer;
  });
  QAction* open = Command("&Open...");
  ASSERT_NE(open, nullptr);
  QMimeData dropped;
  dropped.setUrls({QUrl::fromLocalFile(png)});
  const struct {
    const char* name;
    std::function<void()> act;
    int answer;     // to "stop and close?"
    bool finishes;  // the work ends as it would have
    size_t asked;   // boxes shown
    bool closes;
  } rows[] = {
      {"Ctrl+S", [&] { QTest::keyClick(form->windowHandle(), Qt::Key_S, Qt::ControlModifier); },
       common::kNoAnswer, true, 0, false},
      {"a second Open", [&] { open->trigger(); }, common::kNoAnswer, true, 0, false},
      {"a dropped file",
       [&] {
         QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &dropped, Qt::LeftButton, {});
         QApplication::sendEvent(form.get(), &drop);
       },
       common::kNoAnswer, true, 0, false},
      {"Escape cancels", [&] { QTest::keyClick(form->windowHandle(), Qt::Key_Escape); },
       common::kNoAnswer, false, 0, false},
      {"close, keep waiting", [&] { form->close(); }, common::kNoAnswer, true, 1, false},
      {"close, stop and close", [&] { form->close(); }, common::kYesAnswer, false, 1, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    boxes.clear();
    dialogs = 0;
    boxAnswer = row.answer;
    auto release = std::make_shared<std::atomic<bool>>(false);
    QTimer::singleShot(20, form.get(), [&, release] {
      row.act();
      QTimer::singleShot(100, [release] { *release = true; });
    });
    EXPECT_EQ(common::RunAside(form.get(), QStringLiteral("Working..."),
                               [release] {
                                 while (!*release) std::this_thread::sleep_for(1ms);
                               }),
              row.finishes);
    while (!*release) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();  // whatever was queued meanwhile
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(boxes.size(), row.asked + (row.closes ? 1 : 0));  // then: unsaved changes?
    EXPECT_EQ(Drawing(), drawn);
    EXPECT_EQ(form->isVisible(), !row.closes);
  }
}

TEST_F(PaintTest, PictureSizeTypedOverTheSelectedWidthAndATitleThatFits) {
  SetPictureSizeHook(nullptr);
  int titleRoom = 0, width = 0;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    QTest::qWait(50);  // the first field takes the focus and its text is selected
    titleRoom = common::TitleBarWidth(*dialog);
    width = dialog->width();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("600"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  });
  const auto size = AskPictureSize(form.get(), QSize(375, 215));
  ASSERT_TRUE(size.has_value());
  EXPECT_EQ(*size, QSize(600, 215)) << "typing replaces the width";
  EXPECT_GE(width, titleRoom);
}

TEST_F(PaintTest, ScaleKeepsProportionsInPixelsOrPercentAndRefusesTooLarge) {
  const struct {
    bool percent, keep;
    const char* typed;  // over the selected width
    std::optional<QSize> size;
  } rows[] = {
      {false, true, "200", QSize(200, 115)},
      {true, true, "50", QSize(188, 108)},
      {false, false, "200", QSize(200, 215)},
      {true, true, "99999", std::nullopt},  // OK stays off: Return does nothing
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      const auto boxes = dialog->findChildren<QCheckBox*>();
      ASSERT_EQ(boxes.size(), 2);
      boxes[0]->setChecked(row.percent);
      boxes[1]->setChecked(row.keep);
      auto* width = dialog->findChildren<QSpinBox*>().front();
      width->setFocus();
      width->selectAll();
      QTest::keyClicks(width, QString::fromLatin1(row.typed));
      QTest::keyClick(width, Qt::Key_Return);
      if (dialog->isVisible()) dialog->reject();
    });
    EXPECT_EQ(AskScale(form.get(), QSize(375, 215)), row.size);
  }
}

TEST_F(PaintTest, AnUnsavedDrawingIsKeptAsideAndOfferedBackOnceItsProgramIsGone) {
  ASSERT_TRUE(dir.isValid());
  qputenv("XDG_STATE_HOME", dir.filePath(QStringLiteral("state")).toUtf8());
  Recovery& recovery = AttachRecovery(*form, *sketchly);
  const QString saved = QString::fromStdString(Path("kept.png"));
  fileAnswer = saved.toStdString();
  sketchly->Save();  // a drawing with a file, which the copy names
  recovery.WriteNow();
  EXPECT_FALSE(QFile::exists(recovery.CopyPath())) << "nothing unsaved, no copy";
  Swatch(kRedSwatch);
  Drag(kBrush, {60, 40}, {90, 70});
  recovery.WriteNow();
  ASSERT_TRUE(QFile::exists(recovery.CopyPath()));
  const QImage drawn = Drawing();

  // A second program while this one runs finds no copy to take.
  const auto start = [this] {
    auto other = std::make_unique<Form1>();
    Sketchly& document = Attach(*other);
    Recovery& offered = AttachRecovery(*other, document);
    other->Start();
    boxes.clear();
    const bool taken = offered.OfferLeftDrawing();
    return std::tuple(std::move(other), &document, taken);
  };
  EXPECT_FALSE(std::get<2>(start()));
  EXPECT_TRUE(boxes.empty());

  // Once the program is gone without closing, its copy no longer has a live
  // lock: the next start offers it, pixel for pixel, under its file's name.
  const QString orphan = QFileInfo(recovery.CopyPath()).dir().filePath("gone.recovery");
  QFile cut(orphan);  // a copy cut short by the crash itself: dropped unasked
  ASSERT_TRUE(cut.open(QIODevice::WriteOnly) && cut.write("SKRC") == 4);
  cut.close();
  EXPECT_FALSE(std::get<2>(start()));
  EXPECT_TRUE(boxes.empty());
  EXPECT_FALSE(QFile::exists(orphan));
  ASSERT_TRUE(QFile::copy(recovery.CopyPath(), orphan));
  boxAnswer = common::kDiscardAnswer;  // asked, and gone
  EXPECT_FALSE(std::get<2>(start()));
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_FALSE(QFile::exists(orphan));
  ASSERT_TRUE(QFile::copy(recovery.CopyPath(), orphan));
  boxAnswer = common::kRecoverAnswer;
  auto [other, document, taken] = start();
  EXPECT_TRUE(taken);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].prompt.find("Recover the unsaved changes to \"kept.png\""), std::string::npos)
      << boxes[0].prompt;
  EXPECT_EQ(boxes[0].buttons & 15, common::kRecoverDiscard);
  EXPECT_EQ(other->GetPicture("Picture1").Region(QRect(QPoint(), drawn.size())), drawn);
  EXPECT_EQ(document->CurrentFile(), saved);
  EXPECT_TRUE(document->Modified());
  EXPECT_FALSE(QFile::exists(orphan)) << "taken, and so never offered twice";
  EXPECT_FALSE(std::get<2>(start())) << "the taker's own copy, locked while it runs";

  // Saved, the copy goes.
  sketchly->Save();
  EXPECT_FALSE(QFile::exists(recovery.CopyPath()));
  qunsetenv("XDG_STATE_HOME");
}

// Smooth shades with a little noise: what a camera gives, and what a
// lossy format's quality shows in.
QImage Photo(int width, int height, bool alpha = false) {
  QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y, qRgba(x * 2 + (x * y) % 7, y * 3, (x + y) % 251, alpha ? 128 : 255));
  return image;
}

QByteArray Encoded(const QImage& image, const char* format, int quality = -1) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setQuality(quality);
  writer.write(image);
  return buffer.data();
}

// A still PNG made animated: an animation control chunk before its data
// says three frames (Qt reads the first only).
QByteArray Animated(const QByteArray& png) {
  const QByteArray chunk("acTL\0\0\0\x03\0\0\0\0", 12);
  quint32 crc = 0xffffffffU;
  for (const char byte : chunk) {
    crc ^= static_cast<unsigned char>(byte);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320U & (0U - (crc & 1U)));
  }
  crc = ~crc;
  const char length[] = {0, 0, 0, 8};
  const char sum[] = {char(crc >> 24), char(crc >> 16), char(crc >> 8), char(crc)};
  return png.left(33) + QByteArray(length, 4) + chunk + QByteArray(sum, 4) + png.mid(33);
}

// An uncompressed TGA with the version 2 footer Qt's reader looks for; Qt
// cannot write the format.
QByteArray Tga(const QImage& image) {
  QByteArray bytes(18, '\0');
  bytes[2] = 2;
  bytes[12] = char(image.width() & 255);
  bytes[13] = char(image.width() >> 8);
  bytes[14] = char(image.height() & 255);
  bytes[15] = char(image.height() >> 8);
  bytes[16] = 24;
  bytes[17] = 0x20;  // top row first
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      bytes.append(char(qBlue(pixel))).append(char(qGreen(pixel))).append(char(qRed(pixel)));
    }
  return bytes + QByteArray(8, '\0') + QByteArray("TRUEVISION-XFILE.", 18);
}

// A GIF, which Qt reads and cannot write: each pixel its nearest of 128
// colours, in 8-bit codes that a clear code keeps from widening.
QByteArray Gif(const QImage& image) {
  QByteArray bytes("GIF89a");
  const char screen[] = {char(image.width() & 255),
                         char(image.width() >> 8),
                         char(image.height() & 255),
                         char(image.height() >> 8),
                         char(0xF6),
                         0,
                         0};
  bytes.append(screen, sizeof screen);
  for (int i = 0; i < 128; ++i)  // 8 levels of red, 4 of green, 4 of blue
    bytes.append(char((i >> 4) * 36)).append(char(((i >> 2) & 3) * 85)).append(char((i & 3) * 85));
  const char descriptor[] = {0x2C,
                             0,
                             0,
                             0,
                             0,
                             char(image.width() & 255),
                             char(image.width() >> 8),
                             char(image.height() & 255),
                             char(image.height() >> 8),
                             0,
                             7};
  bytes.append(descriptor, sizeof descriptor);
  QByteArray codes;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      if ((y * image.width() + x) % 100 == 0) codes.append(char(128));  // clear
      const QRgb p = image.pixel(x, y);
      codes.append(char((qRed(p) * 8 / 256) << 4 | (qGreen(p) / 64) << 2 | qBlue(p) / 64));
    }
  codes.append(char(129));  // end
  for (qsizetype at = 0; at < codes.size(); at += 255) {
    const QByteArray block = codes.mid(at, 255);
    bytes.append(char(block.size())).append(block);
  }
  return bytes.append('\0').append(';');
}

// Noise, which PNG compresses slowly.
QImage Noise(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  quint32 seed = 1;
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) line[x] = (seed = seed * 1664525U + 1013904223U) | 0xff000000U;
  }
  return image;
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(PaintTest, SavingOverAFileKeepsWhatItHeldOrSaysFirstWhatWouldBeLost) {
  ASSERT_TRUE(dir.isValid());
  const QImage photo = Photo(96, 64);
  const struct {
    const char* name;
    QByteArray bytes;
    const char* opened;                            // the notice on opening, if any
    const char* question;                          // what Save asks first, if anything
    std::function<void(const QByteArray&)> check;  // the file saved
  } rows[] = {
      {"photo.jpg", Encoded(photo, "jpeg", 95), "", "",
       [](const QByteArray& saved) {
         EXPECT_NEAR(EstimateCompression(saved, "jpeg").quality, 95, 1) << "quality kept";
       }},
      {"cut.jpg", Encoded(Photo(300, 300), "jpeg", 90).left(1500),
       "is damaged: only part of the picture could be read",
       "Only part of it could be read: the rest would be lost.", nullptr},
      {"lossless.webp", Encoded(photo, "webp", 100), "", "",
       [](const QByteArray& saved) { EXPECT_EQ(saved.mid(12, 4), "VP8L") << "still lossless"; }},
      {"clear.tif", Encoded(Photo(96, 64, true), "tiff"), "", "",
       [](const QByteArray& saved) {
         EXPECT_EQ(qAlpha(QImage::fromData(saved).pixel(90, 60)), 128) << "transparency kept";
       }},
      {"moving.png", Animated(Encoded(photo, "png")), "",
       "Its animation would be lost: only the first of its 3 frames would be kept.", nullptr},
      {"old.tga", Tga(photo), "", "",
       [&](const QByteArray& saved) {
         EXPECT_EQ(QImage::fromData(saved, "tga").pixel(90, 60), photo.pixel(90, 60));
       }},
      {"still.gif", Gif(photo), "",
       "GIF pictures cannot be written. Save the picture as PNG instead?", nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const QString path = dir.filePath(QString::fromUtf8(row.name));
    {
      QFile file(path);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(row.bytes);
    }
    boxes.clear();
    boxAnswer = common::kNoAnswer;
    ASSERT_TRUE(sketchly->OpenAtStart(path));
    EXPECT_EQ(boxes.empty() ? std::string() : boxes[0].prompt.substr(boxes[0].prompt.find(' ') + 1),
              *row.opened ? std::string(row.opened) + "." : std::string());
    Tool(kFilledBox);
    Click(10, 10);
    Click(20, 20);
    boxes.clear();
    sketchly->Save();
    if (*row.question) {
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_NE(boxes[0].prompt.find(row.question), std::string::npos) << boxes[0].prompt;
      EXPECT_EQ(FileBytes(path), row.bytes) << "not saved without a yes";
      EXPECT_TRUE(sketchly->Modified());
    } else {
      EXPECT_TRUE(boxes.empty()) << boxes[0].prompt;
      EXPECT_FALSE(sketchly->Modified());
      row.check(FileBytes(path));
    }
  }
}

TEST_F(PaintTest, SaveAsWritesTheTypeChosenAndAsksTheQualityOnce) {
  ASSERT_TRUE(dir.isValid());
  const QString jpeg = dir.filePath(QStringLiteral("big.jpg"));
  ASSERT_TRUE(Photo(96, 64).save(jpeg, "jpeg", 80));
  ASSERT_TRUE(sketchly->OpenAtStart(jpeg));
  const struct {
    const char* name;    // typed in the dialog
    const char* filter;  // chosen there
    const char* saved;   // the file written
    const char* format;
    std::vector<int> asked;  // the quality the question started at
  } rows[] = {
      {"noext2", "JPEG image (*.jpg *.jpeg)", "noext2.jpg", "jpeg", {80}},
      {"copy.png", "JPEG image (*.jpg *.jpeg)", "copy.png", "png", {}},
      {"notes.gif", "BMP image (*.bmp)", "notes.gif.bmp", "bmp", {}},
      {"shot.webp", "PNG image (*.png)", "shot.webp", "webp", {kDefaultQuality}},
  };
  qualityAnswer = 70;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(sketchly->OpenAtStart(jpeg));
    fileRequests.clear();
    qualityAsked.clear();
    fileAnswer = dir.filePath(QString::fromUtf8(row.name)).toStdString();
    filterAnswer = row.filter;
    sketchly->SaveAs();
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].filter, "JPEG image (*.jpg *.jpeg)") << "the open file's type";
    EXPECT_EQ(fileRequests[0].start, jpeg.toStdString());
    const QString saved = dir.filePath(QString::fromUtf8(row.saved));
    EXPECT_EQ(sketchly->CurrentFile(), saved);
    EXPECT_EQ(QImageReader(saved).format(), row.format);
    EXPECT_EQ(qualityAsked, row.asked);
  }
  // Ctrl+S keeps the quality asked for, without asking again.
  Tool(kFilledBox);
  Click(10, 10);
  Click(20, 20);
  qualityAsked.clear();
  sketchly->Save();
  EXPECT_TRUE(qualityAsked.empty());
  EXPECT_NEAR(EstimateCompression(FileBytes(sketchly->CurrentFile()), "webp").quality, 70, 5);
  // A new drawing is offered under a name in the user's language.
  sketchly->New();
  fileAnswer.reset();
  sketchly->SaveAs();
  EXPECT_EQ(fileRequests.back().start, "drawing.png");
}

TEST_F(PaintTest, AFailedOrCancelledSaveSaysWhyAndLeavesTheFileAsItWas) {
  ASSERT_TRUE(dir.isValid());
  const QString kept = dir.filePath(QStringLiteral("kept.png"));
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("locked")));
  const QString locked = dir.filePath(QStringLiteral("locked"));
  // Root writes anywhere permissions say no; the process folder is closed
  // to everyone.
  const QString unwritable =
      geteuid() == 0 ? QStringLiteral("/proc/sketchly.png") : locked + QStringLiteral("/a.png");
  ASSERT_EQ(chmod(QFile::encodeName(locked).constData(), 0555), 0);
  const QString pipe = dir.filePath(QStringLiteral("pipe.png"));
  ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  const struct {
    const char* name;
    QString target;  // saved to with Save As, or empty: Save over kept.png
    std::function<void()> meanwhile;
    const char* said;
  } rows[] = {
      {"folder not writable", unwritable, nullptr, "cannot be written"},
      {"folder vanished", dir.filePath(QStringLiteral("gone/a.png")), nullptr, "does not exist"},
      {"a pipe", pipe, nullptr, "it is not a regular file"},
      {"changed by another program",
       {},
       [&] { ASSERT_TRUE(Photo(80, 48).save(kept)); },
       "was changed by another program since it was opened or saved here"},
      {"cancelled",
       {},
       [&] {
         QTimer::singleShot(30, [this] { QTest::keyClick(form->windowHandle(), Qt::Key_Escape); });
       },
       ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(Photo(64, 48).save(kept));
    ASSERT_TRUE(sketchly->OpenAtStart(kept));
    if (!*row.said) Canvas().SetPicture(Noise(3000, 2000));  // writing outlasts the Escape
    Tool(kFilledBox);
    Click(10, 10);
    Click(20, 20);
    if (row.meanwhile) row.meanwhile();
    const QByteArray other = FileBytes(kept);
    boxes.clear();
    boxAnswer = common::kCancelAnswer;
    if (row.target.isEmpty()) {
      sketchly->Save();
    } else {
      fileAnswer = row.target.toStdString();
      sketchly->SaveAs();
    }
    while (common::AsideRunning()) QTest::qWait(10);
    EXPECT_TRUE(sketchly->Modified());
    EXPECT_EQ(sketchly->CurrentFile(), kept);
    EXPECT_EQ(FileBytes(kept), other) << "the file as it was";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 2)
        << "kept.png and the pipe, no temporary file";
    if (*row.said) {
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_NE(boxes[0].prompt.find(row.said), std::string::npos) << boxes[0].prompt;
    } else {
      EXPECT_TRUE(boxes.empty());
    }
  }
}

TEST_F(PaintTest, ANameThatIsNotUtf8OpensSavesAndDrops) {
  ASSERT_TRUE(dir.isValid());
  const QByteArray native = QFile::encodeName(dir.path()) + "/caf\xe9.png";  // Latin-1
  const QString path = common::FromNative(native);
  {
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && Photo(64, 48).save(&buffer, "png"));
    FILE* file = std::fopen(native.constData(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(buffer.data().constData(), 1, static_cast<size_t>(buffer.size()), file);
    std::fclose(file);
  }
  ASSERT_TRUE(sketchly->OpenAtStart(path));
  Tool(kFilledBox);
  Click(10, 10);
  Click(20, 20);
  const QImage drawn = Drawing();
  sketchly->Save();
  EXPECT_TRUE(boxes.empty());
  EXPECT_FALSE(sketchly->Modified());
  EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral(".sketchly-*")}, QDir::Hidden).isEmpty())
      << "no stand-in left";
  sketchly->New();
  QMimeData dropped;
  dropped.setUrls(
      {QUrl(QStringLiteral("file://") + QString::fromLatin1(native.toPercentEncoding("/")))});
  QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &dropped, Qt::LeftButton, {});
  QApplication::sendEvent(form.get(), &enter);
  QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &dropped, Qt::LeftButton, {});
  QApplication::sendEvent(form.get(), &drop);
  QCoreApplication::processEvents();  // the drop opens once it is done
  EXPECT_EQ(sketchly->CurrentFile(), path);
  EXPECT_EQ(Drawing(), drawn) << "what was saved comes back";
}

TEST_F(PaintTest, ShapingCommandsActOnTheSelectionOrThePictureAsOneStepEach) {
  ASSERT_TRUE(dir.isValid());
  // Distinct pixels, with one flat square to fill.
  QImage base = Photo(40, 30);
  const QRect square(10, 10, 8, 8);
  const QRgb flat = 0xFF336699;
  for (int y = square.top(); y <= square.bottom(); ++y)
    for (int x = square.left(); x <= square.right(); ++x) base.setPixel(x, y, flat);
  const QString file = dir.filePath(QStringLiteral("base.png"));
  ASSERT_TRUE(base.save(file));
  const QRgb canvas = common::ResolveColour(Canvas().BackColor());
  QImage red(6, 4, QImage::Format_RGB32);
  red.fill(kRed);
  const QRect area(5, 5, 10, 5);  // what the select tool's drag below chooses
  const auto press = [this](QPoint from, QPoint to) {
    QTest::mousePress(&Canvas(), Qt::LeftButton, {}, At(from.x(), from.y()));
    Move(to.x(), to.y(), Qt::LeftButton);
    QTest::mouseRelease(&Canvas(), Qt::LeftButton, {}, At(to.x(), to.y()));
  };
  const auto select = [&] {
    Command("&Select")->trigger();
    press(area.topLeft(), area.bottomRight());
  };
  const auto command = [this](const char* text) {
    QAction* action = Command(text);
    ASSERT_NE(action, nullptr) << text;
    action->trigger();
  };
  const auto with = [&](const std::function<void(QImage&)>& change) {
    QImage picture = base;
    change(picture);
    return picture;
  };
  const auto put = [](QImage& picture, const QImage& pixels, QPoint at) {
    QPainter(&picture).drawImage(at, pixels);
  };
  const auto blank = [&](QImage& picture, const QRect& rect) {
    QPainter(&picture).fillRect(rect, QColor::fromRgba(canvas));
  };
  const struct {
    const char* name;
    std::function<void()> act;
    QImage expected;
    int steps;
    QImage copied;  // on the clipboard, if anything
  } rows[] = {
      {"copy",
       [&] {
         select();
         command("&Copy");
       },
       base, 0, base.copy(area)},
      {"copy without a selection", [&] { command("&Copy"); }, base, 0, base},
      {"cut",
       [&] {
         select();
         command("Cu&t");
       },
       with([&](QImage& p) { blank(p, area); }), 1, base.copy(area)},
      {"delete",
       [&] {
         select();
         command("&Delete");
       },
       with([&](QImage& p) { blank(p, area); }),
       1,
       {}},
      {"move",
       [&] {
         select();
         press({7, 6}, {17, 16});
       },
       with([&](QImage& p) {
         blank(p, area);
         put(p, base.copy(area), area.topLeft() + QPoint(10, 10));
       }),
       1,
       {}},
      {"a click outside drops it",
       [&] {
         select();
         Click(30, 25);
         command("&Delete");
       },
       base,
       0,
       {}},
      {"crop",
       [&] {
         select();
         command("C&rop to Selection");
       },
       base.copy(area),
       1,
       {}},
      {"paste, move, Enter",
       [&] {
         QGuiApplication::clipboard()->setImage(red);
         command("&Paste");
         press({2, 2}, {22, 12});
         QTest::keyClick(form.get(), Qt::Key_Return);
       },
       with([&](QImage& p) {
         put(p, red, {20, 10});
       }),
       1,
       {}},
      {"paste, Escape",
       [&] {
         QGuiApplication::clipboard()->setImage(red);
         command("&Paste");
         QTest::keyClick(form.get(), Qt::Key_Escape);
       },
       base,
       0,
       {}},
      {"turn the selection",
       [&] {
         select();
         command("Rotate 90° &Clockwise");
       },
       with([&](QImage& p) {
         blank(p, area);
         put(p, Turned(base.copy(area), Turn::kClockwise), area.topLeft());
       }),
       1,
       {}},
      {"flip the picture",
       [&] { command("Flip &Horizontally"); },
       base.mirrored(true, false),
       1,
       {}},
      {"turn the picture",
       [&] { command("Rotate 90° Counter-Clock&wise"); },
       Turned(base, Turn::kCounterClockwise),
       1,
       {}},
      {"scale", [&] { command("Sc&ale..."); }, Scaled(base, QSize(20, 15)), 1, {}},
      {"fill",
       [&] {
         Command("&Fill")->trigger();
         Swatch(kRedSwatch);
         Click(12, 12);
       },
       with([&](QImage& p) { QPainter(&p).fillRect(square, QColor::fromRgba(kRed)); }),
       1,
       {}},
  };
  SetScaleHook([](const QSize&) { return std::optional(QSize(20, 15)); });
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(sketchly->OpenAtStart(file));
    QGuiApplication::clipboard()->clear();
    row.act();
    EXPECT_EQ(Drawing().convertToFormat(QImage::Format_RGB32),
              row.expected.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(sketchly->History().Steps(), static_cast<size_t>(row.steps));
    if (!row.copied.isNull()) {
      EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                row.copied.convertToFormat(QImage::Format_RGB32));
    }
    if (row.steps > 0) {
      sketchly->Undo();
      EXPECT_EQ(Drawing().convertToFormat(QImage::Format_RGB32), base) << "undone";
    }
  }
  SetScaleHook(nullptr);
}

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
