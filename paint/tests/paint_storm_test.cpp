#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/numbers.h"
#include "common/runtime_error.h"
#include "common/tests/answered_dialogs.h"
#include "common/tests/storm.h"
#include "paint/form1.h"
#include "paint/form1_layout.h"

// A long random stream of real mouse input on every control, checked against
// a model that re-derives the canvas's drawing calls from the tools' rules and
// replays them on a hidden canvas. STORM_EVENTS sets the length and
// STORM_SEED the run (a fixed one by default, so CI is repeatable).
namespace paint {
namespace {

using common::Colour;
using common::PictureBox;

// What the window should hold after each event.
struct Model {
  Model(const PictureBox& real, Colour colour) : curColor(colour) {
    canvas.SetBackColor(real.BackColor());
    canvas.SetBounds(real.geometry());
  }

  PictureBox canvas;  // hidden, the same size as the real one
  int16_t drawing = 0, toolMode = 0, radius = 0, pointer = 1, description = 0;
  int16_t lineClick = 0, circleClick = 0, fillCircleClick = 0, rectClick = 0;
  std::optional<float> startX, startY;
  bool captured = false;
  Colour curColor;
  Colour dialogColour = 0x00FFFFFF;  // also swatch 0's, which takes every answer
  std::string readoutX, readoutY;
  std::vector<std::string> boxes;

  void Tool(int16_t index) {
    toolMode = static_cast<int16_t>(index + 1);
    description = index;
    pointer = index == 0 ? 1 : 2;
    if (index == 6) canvas.Cls();
  }

  // Every two-click tool anchors at a first click; the second draws from the
  // anchor, whichever tool set it.
  bool SecondClick(int16_t& waiting, float x, float y) {
    if (waiting == 0) {
      startX = x;
      startY = y;
      waiting = 1;
      return false;
    }
    waiting = 0;
    return true;
  }
  // In line with the centre, the distance rounded half to even; elsewhere
  // the Single distance rounded down; on the centre, the last radius stays.
  void NewRadius(float cx, float cy, float x, float y) {
    const float dx = std::fabs(x - cx), dy = std::fabs(y - cy);
    if (dx == 0 && dy == 0) return;
    if (dx == 0 || dy == 0) {
      radius = common::RoundToInteger(dx + dy);
    } else {
      radius = common::FloorToInteger(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
    }
  }

  void Down(float x, float y) {
    const float sx = startX.value_or(0), sy = startY.value_or(0);
    const Colour c = curColor;
    switch (toolMode) {
      case 3:
        if (SecondClick(lineClick, x, y)) canvas.Line(sx, sy, x, y, c);
        break;
      case 4:
        if (SecondClick(circleClick, x, y)) {
          NewRadius(sx, sy, x, y);
          canvas.SetFillStyle(1);
          canvas.Circle(sx, sy, radius, c);
        }
        break;
      case 6:
        if (SecondClick(rectClick, x, y)) {
          canvas.Line(x, y, sx, y, c);
          canvas.Line(x, y, x, sy, c);
          canvas.Line(sx, sy, x, sy, c);
          canvas.Line(sx, sy, sx, y, c);
        }
        break;
      case 8:
        if (SecondClick(rectClick, x, y)) canvas.LineFilledBox(x, y, sx, sy, c);
        break;
      case 9:
        if (SecondClick(fillCircleClick, x, y)) {
          NewRadius(sx, sy, x, y);
          canvas.SetFillStyle(0);
          canvas.SetFillColor(c);
          for (int k = 1; k <= radius; ++k) canvas.Circle(sx, sy, static_cast<float>(k), c);
        }
        break;
      default:
        break;
    }
    drawing = 1;
  }

  // The drag tools ink at each move while drawing: a point, a 101-twip white
  // square or a 21-twip square in the colour; one twip apart, the squares'
  // points cover every pixel between their corners.
  void Move(float x, float y) {
    readoutX = common::NumberText(x);
    readoutY = common::NumberText(3495.0f - y);
    if (drawing != 1) return;
    if (toolMode == 2) canvas.LineFilledBox(x, y, x, y, curColor);
    if (toolMode == 5) canvas.LineFilledBox(x, y, x + 100, y + 100, 0x00FFFFFF);
    if (toolMode == 10) canvas.LineFilledBox(x, y, x + 20, y + 20, curColor);
  }

  // The border is not part of the canvas: events there are dropped, except
  // while a press inside holds the pointer, until every button is up.
  void Mouse(QEvent::Type type, Qt::MouseButtons heldAfter, bool inside, float x, float y) {
    if (type == QEvent::MouseButtonRelease) {
      if (!captured) return;
      captured = heldAfter != Qt::NoButton;
      drawing = 0;
      return;
    }
    if (!captured && !inside) return;
    if (type == QEvent::MouseButtonPress) {
      captured = true;
      Down(x, y);
    } else {
      Move(x, y);
    }
  }

  template <class Step>
  void Run(Step step) {
    try {
      step();
    } catch (const common::RuntimeError& error) {
      boxes.emplace_back(error.what());
    }
  }
};

class PaintStormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto answers = std::make_shared<common::AnsweredDialogs<>>();
    answers->messageBox = [this](const common::MessageBoxRequest& request) {
      EXPECT_EQ(request.title, "Sketchly");
      boxes.push_back(request.prompt);
      return common::kOkAnswer;
    };
    answers->chooseColour = [this](QWidget*, Colour current) -> std::optional<Colour> {
      ++dialogCalls;
      EXPECT_EQ(current, model->dialogColour) << Recent();
      return dialogAnswer;
    };
    ASSERT_EQ(QTestPrivate::qtestMouseButtons, Qt::NoButton)
        << "an earlier test left a button down";
    form = std::make_unique<Form1>();
    common::SetDialogs(*form, answers);
    form->Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    model.emplace(Canvas(), form->curColor);
    for (int16_t i = 0; i < 20; ++i)
      swatches.push_back(form->GetPicture("Picture2", i).BackColor());
  }

  PictureBox& Canvas() { return form->GetPicture("Picture1"); }
  PictureBox& Current() { return form->GetPicture("Picture3"); }

  std::string Recent() const {
    std::string text;
    for (const std::string& event : recent) text += "\n  " + event;
    return text;
  }
  void Log(const std::string& event) {
    recent.push_back(event);
    if (recent.size() > 80) recent.pop_front();
  }

  // Fields within their rules and equal to the model's.
  void CheckFields() {
    const Form1& f = *form;
    ASSERT_TRUE(f.drawing == 0 || f.drawing == 1) << f.drawing << Recent();
    ASSERT_TRUE(f.toolMode >= 0 && f.toolMode <= 10) << f.toolMode << Recent();
    for (const std::optional<int16_t>* flag : {&f.lineClick, &f.circleClick, &f.fillCircleClick}) {
      ASSERT_TRUE(flag->has_value()) << Recent();
      ASSERT_TRUE(**flag == 0 || **flag == 1) << **flag << Recent();
    }
    ASSERT_TRUE(f.rectClick == 0 || f.rectClick == 1) << f.rectClick << Recent();
    ASSERT_GE(f.radius, 0) << Recent();
    ASSERT_TRUE(!f.startX || std::isfinite(*f.startX)) << Recent();
    ASSERT_TRUE(!f.startY || std::isfinite(*f.startY)) << Recent();

    const Model& m = *model;
    ASSERT_EQ(f.drawing, m.drawing) << Recent();
    ASSERT_EQ(f.toolMode, m.toolMode) << Recent();
    ASSERT_EQ(f.lineClick, m.lineClick) << Recent();
    ASSERT_EQ(f.circleClick, m.circleClick) << Recent();
    ASSERT_EQ(f.fillCircleClick, m.fillCircleClick) << Recent();
    ASSERT_EQ(f.rectClick, m.rectClick) << Recent();
    ASSERT_EQ(f.radius, m.radius) << Recent();
    ASSERT_EQ(f.startX, m.startX) << Recent();
    ASSERT_EQ(f.startY, m.startY) << Recent();
    ASSERT_EQ(f.curColor, m.curColor) << Recent();
    ASSERT_EQ(form->GetLabel("lblx").Caption(), m.readoutX) << Recent();
    ASSERT_EQ(form->GetLabel("lbly").Caption(), m.readoutY) << Recent();
    ASSERT_EQ(form->GetLabel("lbldes").Caption(), kToolDescriptions[m.description]) << Recent();
    ASSERT_EQ(Canvas().MousePointer(), m.pointer) << Recent();
    ASSERT_EQ(form->GetPicture("Picture2", 0).BackColor(), m.dialogColour) << Recent();
    ASSERT_EQ(boxes, m.boxes) << Recent();
  }

  void CheckCanvas() {
    ASSERT_EQ(Canvas().FillStyle(), model->canvas.FillStyle()) << Recent();
    ASSERT_EQ(Canvas().FillColor(), model->canvas.FillColor()) << Recent();
    const QImage real = Canvas().Image(), expected = model->canvas.Image();
    ASSERT_EQ(real.size(), expected.size());
    if (real == expected) return;
    for (int y = 0; y < real.height(); ++y)
      for (int x = 0; x < real.width(); ++x)
        ASSERT_EQ(real.pixel(x, y), expected.pixel(x, y))
            << "first differing device pixel " << x << "," << y
            << "; events since the last match:" << Recent();
  }

  std::unique_ptr<Form1> form;
  std::optional<Model> model;
  std::vector<Colour> swatches;
  std::vector<std::string> boxes;
  std::optional<Colour> dialogAnswer;
  int dialogCalls = 0;
  std::deque<std::string> recent;
};

constexpr Qt::MouseButton kMouseButtons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};

TEST_F(PaintStormTest, RandomMouseInputDrawsWhatTheToolsRulesSay) {
  const auto [seed, events] = common::StormFromEnvironment();
  SCOPED_TRACE("STORM_SEED=" + std::to_string(seed) + " STORM_EVENTS=" + std::to_string(events));
  std::mt19937_64 rng(seed);
  auto below = [&](int n) { return static_cast<int>(rng() % static_cast<uint64_t>(n)); };
  auto modifiers = [&] { return Qt::KeyboardModifiers::fromInt(below(8) << 25); };

  std::vector<std::pair<std::string, QWidget*>> controls;
  for (int16_t i = 0; i < 10; ++i)
    controls.emplace_back("Command1(" + std::to_string(i) + ")", &form->GetButton("Command1", i));
  for (int16_t i = 0; i < 20; ++i)
    controls.emplace_back("Picture2(" + std::to_string(i) + ")", &form->GetPicture("Picture2", i));
  for (const char* name : {"Picture3", "cmdeditcolor", "Frame1", "Label1", "Label2", "Label3",
                           "lbldes", "lblx", "lbly"})
    controls.emplace_back(name, &form->GetControl(name));

  PictureBox& canvas = Canvas();
  const bool unscaled = form->windowHandle()->devicePixelRatio() == 1.0;
  const QRect area = canvas.rect();
  const QPointF origin = canvas.contentsRect().topLeft();
  // A point on the canvas widget, or up to 200 pixels around it. QTest's
  // are whole pixels and never 0,0 (which it reads as the centre); a quarter
  // of the sent ones fall between pixels, as a scaled screen's do.
  auto point = [&](bool outside, bool viaQTest) {
    static constexpr double kFractions[] = {0.25, 1 / 3.0, 0.5, 2 / 3.0, 0.75};
    const int margin = outside ? 200 : 0;
    QPointF at(below(area.width() + 2 * margin) - margin,
               below(area.height() + 2 * margin) - margin);
    if (!viaQTest && below(4) == 0) at += QPointF(kFractions[below(5)], kFractions[below(5)]);
    if (viaQTest && at.isNull()) at.setY(1);
    return at;
  };
  auto qtestPoint = [](QPointF at) { return at.toPoint().isNull() ? QPoint(0, 1) : at.toPoint(); };
  // Whether a point lies on the canvas proper, not its border (as the box
  // tells it: by the nearest whole pixel).
  auto onCanvas = [&](QPointF at) {
    const QPointF inner = at - QPointF(canvas.contentsRect().topLeft());
    return inner.x() >= 0 && inner.y() >= 0 && inner.x() < canvas.contentsRect().width() &&
           inner.y() < canvas.contentsRect().height();
  };
  auto twips = [&](QPointF at) {
    const QPointF inner = at - origin;
    return std::pair(static_cast<float>(inner.x() * common::kTwipsPerPixel),
                     static_cast<float>(inner.y() * common::kTwipsPerPixel));
  };

  // Presses, moves and releases on the canvas. A drag goes either through
  // QTest or as sent QMouseEvents from its first press to its last release,
  // so that every event carries the buttons really held; its moves may also
  // be sent.
  Qt::MouseButtons held;
  bool dragViaQTest = false;
  QPointF last(10, 10), lastPress(10, 10);
  auto mouse = [&](QEvent::Type type, Qt::MouseButton button, QPointF at, bool viaQTest) {
    if (viaQTest) at = qtestPoint(at);
    const Qt::KeyboardModifiers keys = modifiers();
    if (type == QEvent::MouseButtonPress) held |= button;
    if (type == QEvent::MouseButtonRelease) held &= ~button;
    if (viaQTest && type == QEvent::MouseButtonPress)
      QTest::mousePress(&canvas, button, keys, at.toPoint());
    if (viaQTest && type == QEvent::MouseButtonRelease)
      QTest::mouseRelease(&canvas, button, keys, at.toPoint());
    if (viaQTest && type == QEvent::MouseMove) QTest::mouseMove(&canvas, at.toPoint());
    if (!viaQTest) {
      QMouseEvent event(type, at, canvas.mapToGlobal(at), button, held, keys);
      QApplication::sendEvent(&canvas, &event);
    }
    const auto [x, y] = twips(at);
    model->Run([&, type] { model->Mouse(type, held, onCanvas(at), x, y); });
    last = at;
    if (type == QEvent::MouseButtonPress) lastPress = at;
  };
  auto describe = [](std::ostream& out, const char* what, int button, QPointF at, bool viaQTest) {
    out << what << ' ' << button << (viaQTest ? " qtest " : " sent ") << at.x() << ',' << at.y();
  };
  const Qt::MouseButtons all = Qt::LeftButton | Qt::RightButton | Qt::MiddleButton;

  ASSERT_NO_FATAL_FAILURE(CheckFields());
  for (uint64_t n = 0; n < events; ++n) {
    std::ostringstream event;
    event << '#' << n << ' ';
    const int roll = below(100);
    if (!held && roll < 30) {
      // A click on any control, mostly with the left button.
      const auto& [name, widget] = controls[below(static_cast<int>(controls.size()))];
      const Qt::MouseButton button = below(3) ? Qt::LeftButton : kMouseButtons[below(3)];
      const Qt::KeyboardModifiers keys = modifiers();
      const QRect inner = widget->rect().adjusted(3, 3, -3, -3);
      const QPoint at(inner.left() + below(inner.width()), inner.top() + below(inner.height()));
      const bool left = button == Qt::LeftButton;
      const bool dialog = left && name == "cmdeditcolor";
      if (dialog) {
        dialogAnswer.reset();
        if (below(3)) dialogAnswer = static_cast<Colour>(rng() & 0xFFFFFF);
      }
      event << "click " << name << " button " << button << " keys " << keys.toInt() << " at "
            << at.x() << ',' << at.y();
      if (dialog) event << (dialogAnswer ? " colour " + std::to_string(*dialogAnswer) : " cancel");
      Log(event.str());
      const int callsBefore = dialogCalls;
      QTest::mouseClick(widget, button, keys, at);
      ASSERT_EQ(dialogCalls, callsBefore + (dialog ? 1 : 0)) << Recent();
      if (dialog && dialogAnswer) model->dialogColour = *dialogAnswer;
      if (left && name.starts_with("Command1("))
        model->Tool(static_cast<int16_t>(std::stoi(name.substr(9))));
      if (left && name.starts_with("Picture2(")) {
        const int index = std::stoi(name.substr(9));
        model->curColor = index == 0 ? model->dialogColour : swatches[index];
        ASSERT_EQ(Current().BackColor(), form->curColor) << Recent();
      }
    } else if (!held && roll < 60) {
      // A hover: through the pointer itself, or sent, maybe between pixels.
      // (The offscreen platform places the pointer right only when unscaled.)
      const bool viaCursor = unscaled && below(2);
      const QPointF at = point(false, viaCursor);
      event << "hover " << (viaCursor ? "cursor " : "sent ") << at.x() << ',' << at.y();
      Log(event.str());
      if (viaCursor) {
        // The pointer moving onto the point it is at moves nothing.
        const bool moves = QCursor::pos() != canvas.mapToGlobal(at.toPoint());
        QTest::mouseMove(&canvas, at.toPoint());
        const auto [x, y] = twips(at);
        if (moves) model->Run([&] { model->Mouse(QEvent::MouseMove, {}, onCanvas(at), x, y); });
      } else {
        mouse(QEvent::MouseMove, Qt::NoButton, at, false);
      }
    } else if (!held || (roll < 5 && held != all)) {
      // A press on the canvas: it starts a drag, or adds a button to one
      // wherever the pointer is.
      Qt::MouseButton button;
      do button = kMouseButtons[below(3)];
      while (held & button);
      if (!held) dragViaQTest = below(2);
      QPointF at = held && below(2) ? last : point(held && below(4) == 0, dragViaQTest);
      // Level with or straight above the last press now and then: the
      // radius has its own rule there.
      if (below(4) == 0) {
        if (below(2)) {
          at.setX(lastPress.x());
        } else {
          at.setY(lastPress.y());
        }
      }
      describe(event, held ? "press also" : "press", button, at, dragViaQTest);
      Log(event.str());
      mouse(QEvent::MouseButtonPress, button, at, dragViaQTest);
    } else if (roll < 80) {
      // A move with buttons held, now and then off the canvas.
      const bool viaQTest = dragViaQTest && below(2);
      const QPointF at = point(below(8) == 0, viaQTest);
      describe(event, "drag", held.toInt(), at, viaQTest);
      Log(event.str());
      mouse(QEvent::MouseMove, Qt::NoButton, at, viaQTest);
    } else {
      // A held button comes up, where the pointer is or elsewhere.
      Qt::MouseButton button;
      do button = kMouseButtons[below(3)];
      while (!(held & button));
      const QPointF at = below(2) ? last : point(below(4) == 0, dragViaQTest);
      describe(event, "release", button, at, dragViaQTest);
      Log(event.str());
      mouse(QEvent::MouseButtonRelease, button, at, dragViaQTest);
    }
    ASSERT_NO_FATAL_FAILURE(CheckFields());
    if (n % 16 == 15) QCoreApplication::processEvents();
    if (n % 64 == 63) {
      ASSERT_NO_FATAL_FAILURE(CheckCanvas());
      recent.clear();
    }
  }
  for (Qt::MouseButton button : kMouseButtons)
    if (held & button) mouse(QEvent::MouseButtonRelease, button, last, dragViaQTest);
  ASSERT_NO_FATAL_FAILURE(CheckFields());
  ASSERT_NO_FATAL_FAILURE(CheckCanvas());
  EXPECT_TRUE(boxes.empty()) << boxes.size() << " message boxes, the first: " << boxes.front();

  // Still alive and drawing: a black filled box, finishing a waiting one first.
  QTest::mouseClick(&form->GetButton("Command1", 6), Qt::LeftButton);
  QTest::mouseClick(&form->GetPicture("Picture2", 19), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseClick(&form->GetButton("Command1", 7), Qt::LeftButton);
  if (form->rectClick == 1) QTest::mouseClick(&canvas, Qt::LeftButton, {}, QPoint(12, 12));
  QTest::mouseClick(&canvas, Qt::LeftButton, {}, QPoint(12, 12));
  QTest::mouseClick(&canvas, Qt::LeftButton, {}, QPoint(22, 22));
  EXPECT_EQ(canvas.Pixel(15, 15), qRgb(0, 0, 0));
  EXPECT_TRUE(form->isVisible());
}

}  // namespace
}  // namespace paint
