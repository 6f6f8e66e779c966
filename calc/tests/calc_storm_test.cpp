#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "calc/additions.h"
#include "calc/form1.h"
#include "common/numbers.h"
#include "common/runtime_error.h"
#include "common/tests/answered_dialogs.h"
#include "common/tests/storm.h"

// A long random stream of real key presses and mouse clicks, checked after
// every event against a model of the calculator. STORM_EVENTS sets the length
// and STORM_SEED the run (a fixed one by default, so CI is repeatable).
namespace calc {
namespace {

// The calculator as its rules describe it: the display text and four fields.
struct Model {
  struct Fault {
    const char* text;
  };

  std::string shown = "0";
  int16_t opCode = 0;
  double firstNum = 0, secondNum = 0, resultNum = 0;
  std::vector<std::string> boxes;  // "title: prompt", since the last check

  static double Checked(double value) {
    if (!std::isfinite(value)) throw Fault{"Overflow"};
    return value;
  }
  // A failing key leaves the display and the four fields as they were.
  void Press(void (*key)(Model&)) {
    const Model before = *this;
    const auto failed = [&](const char* text) {
      std::vector<std::string> reported = std::move(boxes);
      *this = before;
      boxes = std::move(reported);
      boxes.push_back(std::string("Calculator: ") + text);
    };
    try {
      key(*this);
    } catch (const Fault& fault) {
      failed(fault.text);
    } catch (const common::RuntimeError& error) {
      failed(error.what());
    }
  }
};

template <char kDigit>
void Digit(Model& m) {
  m.shown = m.shown == "0" ? std::string(1, kDigit) : m.shown + kDigit;
}
template <int16_t kCode>
void Operation(Model& m) {
  m.opCode = kCode;
  m.firstNum = common::ValueOfText(m.shown);
  m.shown = "0";
}
template <int kStep>
void Step(Model& m) {
  const common::NumberFormat period = common::PeriodFormat();
  m.shown = common::NumberText(Model::Checked(common::ToDouble(m.shown, period) + kStep), period);
}
void Equals(Model& m) {
  m.secondNum = common::ValueOfText(m.shown);
  const double a = m.firstNum, b = m.secondNum;
  if (m.opCode == 1) m.resultNum = Model::Checked(a + b);
  if (m.opCode == 2) m.resultNum = Model::Checked(a - b);
  if (m.opCode == 3) m.resultNum = Model::Checked(a * b);
  if (m.opCode == 4 && b == 0) m.boxes.push_back("Calculator Error: Cannot divide by zero");
  if (m.opCode == 4 && b != 0) m.resultNum = Model::Checked(a / b);
  m.shown = common::SignedNumberText(m.resultNum);
}
void Root(Model& m) {
  m.firstNum = common::ToDouble(m.shown, common::PeriodFormat());
  if (m.firstNum < 0) throw Model::Fault{"Invalid argument"};
  m.resultNum = std::sqrt(m.firstNum) + 0.0;  // + 0.0: the root of -0 is 0
  m.shown = common::SignedNumberText(m.resultNum);
}
void Squared(Model& m) {
  m.firstNum = common::ValueOfText(m.shown);
  m.resultNum = Model::Checked(m.firstNum * m.firstNum);
  m.shown = common::SignedNumberText(m.resultNum);
}

struct Key {
  const char* control;
  void (*press)(Model&);
  int typed;  // the key typed for it
};

// In tab order, which is also the focus chain.
constexpr Key kKeys[] = {
    {"Num7", Digit<'7'>, Qt::Key_7},
    {"Num8", Digit<'8'>, Qt::Key_8},
    {"Num9", Digit<'9'>, Qt::Key_9},
    {"Num4", Digit<'4'>, Qt::Key_4},
    {"Num5", Digit<'5'>, Qt::Key_5},
    {"Num6", Digit<'6'>, Qt::Key_6},
    {"Num1", Digit<'1'>, Qt::Key_1},
    {"Num3", Digit<'3'>, Qt::Key_3},
    {"Num0", [](Model& m) { m.shown = m.shown == "0" ? m.shown : m.shown + '0'; }, Qt::Key_0},
    {"Point", [](Model& m) { m.shown += '.'; }, Qt::Key_Comma},
    {"Num2", Digit<'2'>, Qt::Key_2},
    {"Plus", Operation<1>, Qt::Key_Plus},
    {"Minus", Operation<2>, Qt::Key_Minus},
    {"Multiple", Operation<3>, Qt::Key_Asterisk},
    {"Divide", Operation<4>, Qt::Key_Slash},
    {"Equal", Equals, Qt::Key_Equal},
    {"Square", Squared, Qt::Key_Q},
    {"Sq", Root, Qt::Key_R},
    {"Clear",
     [](Model& m) {
       m.opCode = 0;
       m.firstNum = m.secondNum = m.resultNum = 0;
       m.shown = "0";
     },
     Qt::Key_Escape},
    {"CE", [](Model& m) { m.shown = "0"; }, Qt::Key_Delete},
    {"Erase", Step<-1>, Qt::Key_M},
    {"P1", Step<+1>, Qt::Key_P},
};
constexpr int kKeyCount = static_cast<int>(std::size(kKeys));

class CalcStormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto answers = std::make_shared<common::AnsweredDialogs<>>();
    answers->messageBox = [this](const common::MessageBoxRequest& request) {
      EXPECT_EQ(request.owner, form.get());
      boxes.push_back(request.title + ": " + request.prompt);
      return common::kOkAnswer;
    };
    form = std::make_unique<Form1>();
    common::SetDialogs(*form, answers);
    Attach(*form);
    form->Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  common::CommandButton& Button(int key) { return form->GetButton(kKeys[key].control); }

  // The recent events, for the failure message.
  std::string Recent() const {
    std::string text;
    for (const std::string& event : recent) text += "\n  " + event;
    return text;
  }
  void Log(std::string event) {
    recent.push_back(std::move(event));
    if (recent.size() > 12) recent.pop_front();
  }

  void CheckAgainstModel() {
    ASSERT_EQ(form->GetLabel("Display").Caption(), model.shown) << Recent();
    ASSERT_TRUE(form->opCode >= 0 && form->opCode <= 4) << form->opCode << Recent();
    ASSERT_TRUE(std::isfinite(form->firstNum) && std::isfinite(form->secondNum) &&
                std::isfinite(form->resultNum))
        << Recent();
    ASSERT_EQ(form->opCode, model.opCode) << Recent();
    ASSERT_EQ(form->firstNum, model.firstNum) << Recent();
    ASSERT_EQ(form->secondNum, model.secondNum) << Recent();
    ASSERT_EQ(form->resultNum, model.resultNum) << Recent();
    ASSERT_EQ(boxes, model.boxes) << Recent();
    boxes.clear();
    model.boxes.clear();
    const QWidget* focused = QApplication::focusWidget();
    ASSERT_EQ(focused ? focused->objectName().toStdString() : "nothing", kKeys[focus].control)
        << Recent();
  }

  std::unique_ptr<Form1> form;
  Model model;
  std::vector<std::string> boxes;  // since the last check
  int focus = 0;                   // index in kKeys of the key with the focus
  std::deque<std::string> recent;
};

TEST_F(CalcStormTest, RandomKeysAndClicksKeepTheModelsDisplay) {
  const auto [seed, events] = common::StormFromEnvironment();
  SCOPED_TRACE("STORM_SEED=" + std::to_string(seed) + " STORM_EVENTS=" + std::to_string(events));
  std::mt19937_64 rng(seed);
  auto below = [&](int n) { return static_cast<int>(rng() % static_cast<uint64_t>(n)); };

  ASSERT_NO_FATAL_FAILURE(CheckAgainstModel());
  for (uint64_t n = 0; n < events;) {
    // One input, now and then repeated a few times ("= = =", "x^2 x^2"),
    // which takes the numbers to their limits.
    std::function<void()> input;
    std::ostringstream what;
    if (below(20) < 12) {
      // Mostly left clicks; any button takes the focus, only the left one
      // clicks.
      static constexpr Qt::MouseButton kButtons[] = {Qt::LeftButton,  Qt::LeftButton,
                                                     Qt::LeftButton,  Qt::LeftButton,
                                                     Qt::RightButton, Qt::MiddleButton};
      const int key = below(kKeyCount);
      const Qt::MouseButton button = kButtons[below(6)];
      const Qt::KeyboardModifiers modifiers = Qt::KeyboardModifiers::fromInt(below(8) << 25);
      const QRect inner = Button(key).rect().adjusted(3, 3, -3, -3);
      const QPoint at(inner.left() + below(inner.width()), inner.top() + below(inner.height()));
      what << "click " << kKeys[key].control << " button " << button << " modifiers "
           << modifiers.toInt() << " at " << at.x() << ',' << at.y();
      input = [=, this] {
        QTest::mouseClick(&Button(key), button, modifiers, at);
        focus = key;
        if (button == Qt::LeftButton) model.Press(kKeys[key].press);
      };
    } else if (below(2) == 0) {
      // A typed key clicks its own key, wherever the focus is.
      const int key = below(kKeyCount);
      what << "type " << kKeys[key].control;
      input = [=, this] {
        QTest::keyClick(form->windowHandle(), static_cast<Qt::Key>(kKeys[key].typed));
        model.Press(kKeys[key].press);
      };
    } else {
      static constexpr Qt::Key kKeyboard[] = {Qt::Key_Tab,   Qt::Key_Backtab, Qt::Key_Space,
                                              Qt::Key_Space, Qt::Key_Return,  Qt::Key_Enter};
      const Qt::Key key = kKeyboard[below(6)];
      what << "key " << QKeySequence(key).toString().toStdString();
      input = [=, this] {
        if (key == Qt::Key_Backtab) {
          QTest::keyClick(form->windowHandle(), Qt::Key_Tab, Qt::ShiftModifier);
        } else {
          QTest::keyClick(form->windowHandle(), key);
        }
        if (key == Qt::Key_Tab) focus = (focus + 1) % kKeyCount;
        if (key == Qt::Key_Backtab) focus = (focus + kKeyCount - 1) % kKeyCount;
        // Space clicks the focused key; Enter and Return are equals.
        if (key == Qt::Key_Space) model.Press(kKeys[focus].press);
        if (key == Qt::Key_Return || key == Qt::Key_Enter) model.Press(Equals);
      };
    }
    for (int times = below(8) == 0 ? 2 + below(7) : 1; times > 0 && n < events; --times, ++n) {
      Log("#" + std::to_string(n) + ' ' + what.str() + " (focus on " + kKeys[focus].control + ')');
      input();
      ASSERT_NO_FATAL_FAILURE(CheckAgainstModel());
    }
  }

  // Still alive and calculating.
  for (const char* name : {"Clear", "Num4", "Plus", "Num4", "Equal"})
    QTest::mouseClick(&form->GetButton(name), Qt::LeftButton);
  EXPECT_EQ(form->GetLabel("Display").Caption(), " 8");
  EXPECT_TRUE(form->isVisible());
}

}  // namespace
}  // namespace calc
