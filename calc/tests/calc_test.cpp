#include <gtest/gtest.h>

#include <QLocale>
#include <QTest>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "calc/form1.h"

namespace calc {
namespace {

// The keys by the captions a person reads, except that the square root
// (captioned "Square") is "sqrt" here to keep the sequences unambiguous.
const std::map<std::string, std::string>& KeyNames() {
  static const std::map<std::string, std::string> names = {
      {"0", "Num0"},   {"1", "Num1"},  {"2", "Num2"},     {"3", "Num3"},     {"4", "Num4"},
      {"5", "Num5"},   {"6", "Num6"},  {"7", "Num7"},     {"8", "Num8"},     {"9", "Num9"},
      {".", "Point"},  {"+", "Plus"},  {"-", "Minus"},    {"*", "Multiple"}, {"/", "Divide"},
      {"=", "Equal"},  {"sqrt", "Sq"}, {"x^2", "Square"}, {"C", "Clear"},    {"CE", "CE"},
      {"-1", "Erase"}, {"+1", "P1"},
  };
  return names;
}

class CalcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    common::SetMessageBoxHook([this](const common::MessageBoxRequest& request) {
      boxes.push_back(request);
      return common::kOkAnswer;
    });
    Fresh();
  }
  // A calculator just started.
  void Fresh() {
    boxes.clear();
    form = std::make_unique<Form1>();
    form->Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }
  void TearDown() override { common::SetMessageBoxHook(nullptr); }

  // Clicks the real buttons, keys separated by blanks.
  void Press(const std::string& keys) {
    std::istringstream stream(keys);
    std::string key;
    while (stream >> key) {
      const auto found = KeyNames().find(key);
      ASSERT_NE(found, KeyNames().end()) << key;
      QTest::mouseClick(&form->GetButton(found->second), Qt::LeftButton);
    }
  }
  std::string Shown() { return form->GetLabel("Display").Caption(); }

  std::unique_ptr<Form1> form;
  std::vector<common::MessageBoxRequest> boxes;
};

struct Sequence {
  const char* keys;
  const char* shown;
};

// The display is read and written in the period form in every locale.
TEST_F(CalcTest, KeySequencesShowTheirResult) {
  const Sequence cases[] = {
      {"", "0"},
      {"=", " 0"},
      {"5 0", "50"},
      {"0", "0"},
      {". 5", "0.5"},
      {". .", "0.."},
      {"2 + 3 =", " 5"},
      {"2 + 3 = = =", " 9"},
      {"1 0 - 3 = =", " 3"},
      {"1 0 - 3 = = =", " 7"},
      {"8 / 2 = =", " 2"},
      {"2 * 3 = = =", " 24"},
      {"2 + 3 + 4 =", " 7"},
      {"2 + 3 = * 4 =", " 20"},
      {"5 + - 3 =", "-3"},
      {"3 - 5 =", "-2"},
      {"2 + 3 = 1", " 51"},
      {"2 + 3 = 1 + 1 =", " 52"},
      {"C = 7", " 07"},
      {"7 + 5 CE 2 =", " 9"},
      {"5 x^2", " 25"},
      {"2 + 3 = +1", "6"},
      {"-1", "-1"},
      {"-1 5", "-15"},
      {"9 sqrt", " 3"},
      {"9 x^2", " 81"},
      {"2 sqrt", " 1.4142135623731"},
      {"2 sqrt x^2", " 2.00000000000001"},
      {"2 + 9 sqrt", " 3"},
      {"2 + 9 sqrt =", " 12"},
      {"1 . 5 . 3 x^2", " 2.25"},
      {". . + 4 =", " 4"},
      {"0 . 0 0 0 1 +1", "1.0001"},
      {"5 C =", " 0"},
      {"1 . 5 +1", "2.5"},
      {"2 . 2 5 sqrt", " 1.5"},
      {"1 / 4 = -1", "-0.75"},
      {"1 / 1 0 0 0 0 0 = +1 * 3 =", " 3.00003"},
      {"1 2 3 4 . 5 -1 -1", "1232.5"},
  };
  const QLocale saved;
  for (const char* locale : {"C", "de_DE", "fr_FR"}) {
    QLocale::setDefault(QLocale(locale));
    for (const Sequence& c : cases) {
      Fresh();
      Press(c.keys);
      EXPECT_EQ(Shown(), c.shown) << "keys: " << c.keys << " in " << locale;
      EXPECT_TRUE(boxes.empty()) << "keys: " << c.keys << " in " << locale;
    }
  }
  QLocale::setDefault(saved);
}

TEST_F(CalcTest, NegativeSquareIsPositive) {
  Press("-1 -1 -1 -1 x^2");
  EXPECT_EQ(Shown(), " 16");
}

TEST_F(CalcTest, ScientificResultKeepsTakingDigits) {
  Press("1 0 0 0 0 0 0 0 0 0 * 1 0 0 0 0 0 0 0 0 0 0 0 =");
  EXPECT_EQ(Shown(), " 1E+20");
  Press("5 + 0 =");
  EXPECT_EQ(Shown(), " 1E+205");
}

TEST_F(CalcTest, DivisionByZeroShowsTheBoxAndKeepsTheDivisionPending) {
  Press("5 / 0 =");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, "Cannot divide by zero");
  EXPECT_EQ(boxes[0].title, "Calculator Error");
  EXPECT_EQ(boxes[0].buttons, common::kOkOnly);
  EXPECT_EQ(boxes[0].owner, form.get());
  EXPECT_EQ(Shown(), " 0");
  Press("=");
  EXPECT_EQ(boxes.size(), 2u);
  Press("2 =");
  EXPECT_EQ(Shown(), " 2.5");
}

struct Failure {
  const char* keys;
  const char* message;
  const char* shown;  // the display is left as the failing key found it
};

TEST_F(CalcTest, RunTimeErrorsAreReportedAndTheCalculatorGoesOn) {
  const Failure cases[] = {
      {"0 -1 sqrt", "Invalid argument", "-1"},
      {". . +1", "Type mismatch", "0.."},
      {". . -1", "Type mismatch", "0.."},
      {"1 . 5 . sqrt", "Type mismatch", "1.5."},
      {"1 0 x^2 x^2 x^2 x^2 x^2 x^2 x^2 x^2 x^2", "Overflow", " 1E+256"},
  };
  for (const Failure& c : cases) {
    Fresh();
    Press(c.keys);
    ASSERT_EQ(boxes.size(), 1u) << c.keys;
    EXPECT_EQ(boxes[0].prompt, c.message) << c.keys;
    EXPECT_EQ(boxes[0].title, "Calculator") << c.keys;
    EXPECT_EQ(Shown(), c.shown) << c.keys;
    EXPECT_TRUE(std::isfinite(form->firstNum) && std::isfinite(form->resultNum)) << c.keys;
    // The program is alive and the next key works.
    Press("C 4 + 4 =");
    EXPECT_EQ(Shown(), " 8") << c.keys;
  }
}

TEST_F(CalcTest, FailingKeyChangesNothing) {
  const struct {
    const char* keys;  // the last key fails
    const char* then;
    const char* shown;
  } cases[] = {
      {"0 -1 sqrt", "=", " 0"},
      {"5 + 0 -1 sqrt", "CE 3 =", " 8"},
      // x^2 leaves 1E+128 as the first operand; the display then reads 1E+25600.
      {"2 * 1 0 x^2 x^2 x^2 x^2 x^2 x^2 x^2 x^2 0 0 +", "CE 3 =", " 3E+128"},
  };
  for (const auto& c : cases) {
    Fresh();
    Press(c.keys);
    ASSERT_EQ(boxes.size(), 1u) << c.keys;
    Press(c.then);
    EXPECT_EQ(Shown(), c.shown) << c.keys;
  }
}

TEST_F(CalcTest, OverflowingProductIsNotStored) {
  // 1E+128 times 10 is shown, then repeated: the third equals leaves the range.
  Press("1 0 x^2 x^2 x^2 x^2 x^2 x^2 x^2 * 1 0 = = =");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, "Overflow");
  EXPECT_EQ(Shown(), " 1E+257");
  EXPECT_DOUBLE_EQ(form->resultNum, 1e257);
  EXPECT_DOUBLE_EQ(form->secondNum, 1e129) << "the failed equals stored nothing";
}

TEST_F(CalcTest, WindowMatchesItsDescription) {
  EXPECT_EQ(form->windowTitle(), "Calculator");
  EXPECT_EQ(form->size(), QSize(455, 248));
  common::Label& display = form->GetLabel("Display");
  EXPECT_EQ(display.geometry(), QRect(8, 8, 441, 41));
  EXPECT_EQ(display.palette().color(QPalette::Window), QColor(128, 128, 128));
  EXPECT_EQ(display.accessibleName(), QString()) << "read as its number, not a name of its own";
  EXPECT_EQ(form->GetButton("Sq").text(), "Square");
  EXPECT_EQ(form->GetButton("Square").text(), "x^2");
  EXPECT_EQ(form->GetButton("Num0").geometry(), QRect(8, 200, 121, 41));
  EXPECT_EQ(form->GetButton("P1").geometry(), QRect(392, 104, 57, 41));
  EXPECT_TRUE(form->font().bold());
  EXPECT_DOUBLE_EQ(form->font().pointSizeF(), 22.5);
}

TEST_F(CalcTest, KeyboardPressesTheFocusedKey) {
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // 7
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);  // 8
  EXPECT_EQ(Shown(), "78");
}

TEST_F(CalcTest, FocusStartsOnSevenAndTabsInStoredOrder) {
  const char* order[] = {"Num7",   "Num8",  "Num9",  "Num4", "Num5",  "Num6",     "Num1",   "Num3",
                         "Num0",   "Point", "Num2",  "Plus", "Minus", "Multiple", "Divide", "Equal",
                         "Square", "Sq",    "Clear", "CE",   "Erase", "P1"};
  form->activateWindow();
  QApplication::setActiveWindow(form.get());
  EXPECT_EQ(QApplication::focusWidget(), &form->GetButton("Num7"));
  QWidget* widget = &form->GetButton("Num7");
  for (const char* name : order) {
    EXPECT_EQ(widget->objectName(), name);
    widget = widget->nextInFocusChain();
  }
}

}  // namespace
}  // namespace calc
