#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "calc/additions.h"
#include "calc/display_text.h"
#include "calc/form1.h"
#include "calc/keys.h"
#include "common/dialogs.h"
#include "common/menu.h"
#include "common/tests/answered_dialogs.h"

namespace calc {
namespace {

// The keys by the captions a person reads, except that the square root
// (captioned "Square") is "sqrt" here to keep the sequences unambiguous; with
// the first key typed for each. Keys without a button: BS for Backspace, %
// (typed with Shift, as on most layouts), and the memory's MS, MR, M+, M-
// and MC.
struct KeyName {
  std::string control;
  int typed;
  Qt::KeyboardModifiers modifiers = {};
};
const std::map<std::string, KeyName>& KeyNames() {
  static const std::map<std::string, KeyName> names = [] {
    std::map<std::string, KeyName> all{{"BS", {"", Qt::Key_Backspace}},
                                       {"%", {"", Qt::Key_Percent, Qt::ShiftModifier}},
                                       {"MS", {"", Qt::Key_M, Qt::ControlModifier}},
                                       {"MR", {"", Qt::Key_R, Qt::ControlModifier}},
                                       {"M+", {"", Qt::Key_P, Qt::ControlModifier}},
                                       {"M-", {"", Qt::Key_Q, Qt::ControlModifier}},
                                       {"MC", {"", Qt::Key_L, Qt::ControlModifier}}};
    for (const Key& key : Keys()) {
      const std::string_view caption = key.control.name == "Sq" ? "sqrt" : key.control.caption;
      all.emplace(std::string(caption), KeyName{std::string(key.control.name), key.typed[0]});
    }
    return all;
  }();
  return names;
}

class CalcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    answers->messageBox = [this](const common::MessageBoxRequest& request) {
      boxes.push_back(request);
      return common::kOkAnswer;
    };
    Fresh();
  }
  // A calculator just started.
  void Fresh() {
    boxes.clear();
    form = std::make_unique<Form1>();
    common::SetDialogs(*form, answers);
    Attach(*form);
    form->Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  // Clicks the real buttons (or types them), keys separated by blanks.
  void Press(const std::string& keys, bool typed = false) {
    std::istringstream stream(keys);
    std::string key;
    while (stream >> key) {
      const auto found = KeyNames().find(key);
      ASSERT_NE(found, KeyNames().end()) << key;
      if (typed || found->second.control.empty()) {
        QTest::keyClick(form->windowHandle(), static_cast<Qt::Key>(found->second.typed),
                        found->second.modifiers);
      } else {
        QTest::mouseClick(&form->GetButton(found->second.control), Qt::LeftButton);
      }
    }
  }
  std::string Shown() { return form->GetLabel("Display").Caption(); }
  // The prompts of the boxes shown.
  std::string Boxes() {
    std::string prompts;
    for (const common::MessageBoxRequest& box : boxes) prompts += box.prompt;
    return prompts;
  }
  // The status bar's texts, left to right.
  std::string Status() {
    QStringList texts;
    for (const QLabel* label : form->StatusBar()->findChildren<QLabel*>())
      if (!label->text().isEmpty()) texts << label->text();
    return texts.join(u' ').toStdString();
  }

  std::shared_ptr<common::AnsweredDialogs<>> answers =
      std::make_shared<common::AnsweredDialogs<>>();
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
      for (const bool typed : {false, true}) {
        Fresh();
        Press(c.keys, typed);
        EXPECT_EQ(Shown(), c.shown)
            << (typed ? "typed: " : "clicked: ") << c.keys << " in " << locale;
        EXPECT_TRUE(boxes.empty()) << "keys: " << c.keys << " in " << locale;
      }
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

struct Held {
  const char* keys;
  const char* shown;
  const char* then;   // the status bar's text, or the display after a following =
  const char* fault;  // the box the last key raised, or ""
};

// The share replaces the number shown as a typed one; one that overflows
// changes nothing. In the period form in every locale.
TEST_F(CalcTest, PercentTakesAShareOfTheFirstOperandOrAHundredth) {
  const Held cases[] = {
      {"2 0 0 + 2 5 %", "50", " 250", ""},
      {"2 0 0 - 2 5 %", "50", " 150", ""},
      {"2 0 0 * 2 5 %", "0.25", " 50", ""},
      {"2 0 0 / 2 5 %", "0.25", " 800", ""},
      {"2 5 %", "0.25", " 0", ""},
      {"2 0 0 + 7 %", "14", " 214", ""},
      {"2 0 0 / 5 % BS", "0.0", " 0", ""},
      {"1 0 x^2 x^2 x^2 x^2 x^2 x^2 x^2 x^2 + 1 0 x^2 x^2 x^2 x^2 x^2 x^2 x^2 x^2 %", " 1E+256",
       " 1E+256", "Overflow"},
  };
  for (const char* locale : {"C", "de_DE"}) {
    QLocale::setDefault(QLocale(locale));
    for (const Held& c : cases) {
      Fresh();
      Press(c.keys);
      EXPECT_EQ(Shown(), c.shown) << c.keys << " in " << locale;
      EXPECT_EQ(Boxes(), c.fault) << c.keys;
      Press("=");
      EXPECT_EQ(Shown(), c.then) << c.keys << " = in " << locale;
    }
  }
  QLocale::setDefault(QLocale::c());
}

// Store and Add take the number shown, Recall shows the kept one as typed;
// C and CE leave it, a failing command keeps it.
TEST_F(CalcTest, MemoryKeepsANumberAside) {
  const Held cases[] = {
      {"1 2 MS CE MR 3", "123", "M", ""},
      {"1 2 MS CE 3 M+ CE MR", "15", "M", ""},
      {"5 M- C MR", "-5", "M", ""},
      {"2 + 3 = MS C MR", "5", "M", ""},
      {". 5 MS CE 3 + MR =", " 3.5", "3 + M", ""},
      {"1 2 MS MC MR", "12", "", ""},
      {"MR", "0", "", ""},
      {"1 0 x^2 x^2 x^2 x^2 * 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 = 8 MS M+ C MR", "1E+308", "M",
       "Overflow"},
  };
  for (const Held& c : cases) {
    Fresh();
    Press(c.keys);
    EXPECT_EQ(Shown(), c.shown) << c.keys;
    EXPECT_EQ(Status(), c.then) << c.keys;
    EXPECT_EQ(Boxes(), c.fault) << c.keys;
  }
}

// The operation equals would carry out, as the fields hold it after each
// kind of key, a failing one put back; in the period form in every locale.
TEST_F(CalcTest, StatusBarShowsThePendingOperation) {
  const Sequence cases[] = {
      {"1 2 +", "12 +"},           {"1 2 + 3 =", "12 +"},      {"1 2 + 3 = C", ""},
      {"1 2 + 3 CE BS", "12 +"},   {"1 . 5 *", "1.5 *"},       {"1 2 + -", "0 -"},
      {"2 / 9 sqrt", "9 /"},       {"2 - 3 x^2 +1 -1", "3 -"}, {"1 0 x^2 x^2 x^2 x^2 *", "1E+16 *"},
      {"1 2 + 0 -1 sqrt", "12 +"}, {"5 / 0 =", "5 /"},         {"2 + 2 5 % MS", "2 + M"},
  };
  for (const char* locale : {"C", "de_DE"}) {
    QLocale::setDefault(QLocale(locale));
    for (const Sequence& c : cases) {
      Fresh();
      Press(c.keys);
      EXPECT_EQ(Status(), c.shown) << c.keys << " in " << locale;
    }
  }
  QLocale::setDefault(QLocale::c());
}

// Each equals that computed, repeated ones included, and each root and
// square, as Copy History puts them on the clipboard.
TEST_F(CalcTest, HistoryKeepsTheLastCalculationsNewestFirst) {
  const Sequence cases[] = {
      {"1 2 + 3 = = =", "12 + 27 = 39\n12 + 15 = 27\n12 + 3 = 15\n"},
      {"1 0 - 3 = =", "10 - 7 = 3\n10 - 3 = 7\n"},
      {"1 . 5 * 2 = C", "1.5 * 2 = 3\n"},
      {"5 / 0 = = 2 =", "5 / 2 = 2.5\n"},
      {"= 5 = 0 -1 sqrt", ""},
      {"9 sqrt C -1 x^2", "(-1)² = 1\n√9 = 3\n"},
      {"1 0 x^2 x^2 x^2 x^2 x^2",
       "(1E+16)² = 1E+32\n100000000² = 1E+16\n10000² = 100000000\n"
       "100² = 10000\n10² = 100\n"},
  };
  for (const Sequence& c : cases) {
    Fresh();
    Press(c.keys);
    QApplication::clipboard()->clear();
    QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), c.shown) << c.keys;
  }
  // The last 20 in the menu; one chosen is shown as typed; Clear forgets them.
  Fresh();
  Press("1 + 1");
  for (int i = 0; i < 21; ++i) Press("=");
  QMenu* menu = nullptr;
  for (QAction* title : form->MenuBar()->actions())
    if (title->text() == "Hi&story") menu = title->menu();
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->actions().size(), 23);  // the lines, a separator, Copy and Clear
  EXPECT_EQ(menu->actions()[19]->text(), "1 + 2 = 3");
  menu->actions()[0]->trigger();
  EXPECT_EQ(Shown(), "22");
  Press("5 BS BS");
  EXPECT_EQ(Shown(), "2");
  menu->actions().last()->trigger();
  EXPECT_EQ(menu->actions().size(), 2);
}

TEST_F(CalcTest, BackspaceEditsOnlyANumberBeingTyped) {
  const Sequence cases[] = {
      {"1 2 3 BS", "12"},     {"5 BS", "0"},
      {"5 BS BS 7", "7"},     {". 5 BS", "0."},
      {"-1 5 BS", "-1"},      {"-1 5 BS BS", "0"},
      {"2 + 3 = 1 BS", " 5"}, {"2 + 3 = 1 BS BS", "0"},
      {"2 + 3 = BS", " 5"},   {"-1 BS", "-1"},
      {"9 sqrt BS", " 3"},    {"7 + BS 2 =", " 9"},
      {"7 CE BS", "0"},       {"1 . 5 . +1 BS +1", "2.5"},  // the key that failed changed nothing
  };
  for (const Sequence& c : cases) {
    Fresh();
    Press(c.keys);
    EXPECT_EQ(Shown(), c.shown) << "keys: " << c.keys;
  }
}

TEST_F(CalcTest, CopyTakesTheNumberWithoutItsBlank) {
  const Sequence cases[] = {
      {"1 0 0 0 0 0 0 0 0 * 1 0 0 0 0 0 0 0 0 =", "1E+16"},
      {"1 / 2 =", ".5"},
      {"=", "0"},
      {". .", "0.."},
      {"-1 5", "-15"},
  };
  for (const Sequence& c : cases) {
    Fresh();
    Press(c.keys);
    QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), c.shown) << c.keys;
  }
  QApplication::clipboard()->clear();
  QTest::keyClick(form.get(), Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "-15");
  // The display's context menu has both.
  const QWidget& display = form->GetLabel("Display");
  EXPECT_EQ(display.contextMenuPolicy(), Qt::ActionsContextMenu);
  ASSERT_EQ(display.actions().size(), 2);
  EXPECT_EQ(display.actions()[0]->text() + display.actions()[1]->text(), "&Copy&Paste");
}

struct Paste {
  const char* text;
  const char* locale;
  const char* shown;  // nullptr: refused with a beep
};

TEST_F(CalcTest, PasteEntersOnlyANumber) {
  const std::string longText(1001, '1');
  const Paste cases[] = {
      {"12.5", "C", "12.5"},
      {" \t-3e2\n", "C", "-300"},
      {".5", "C", "0.5"},
      {"1,234.5", "C", "1234.5"},
      {"1E+16", "C", "1E+16"},
      {"1.234,5", "de_DE", "1234.5"},
      {"1,5", "de_DE", "1.5"},
      {"1.5", "de_DE", "1.5"},
      {"1 234,5", "fr_FR", "1234.5"},
      {"1\u00A0234,5", "fr_FR", "1234.5"},
      {"1\u202F234,5", "fr_FR", "1234.5"},
      {"12 34,5", "fr_FR", nullptr},
      {"", "C", nullptr},
      {"five", "C", nullptr},
      {"1 2", "C", nullptr},
      {"1.2.3", "C", nullptr},
      {"1e999", "C", nullptr},
      {longText.c_str(), "C", nullptr},
  };
  int beeps = 0;
  answers->beep = [&beeps] { ++beeps; };
  for (const Paste& c : cases) {
    Fresh();
    QLocale::setDefault(QLocale(c.locale));
    Press("7");
    beeps = 0;
    QApplication::clipboard()->setText(c.text);
    QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Shown(), c.shown ? c.shown : "7") << c.text;
    EXPECT_EQ(beeps, c.shown ? 0 : 1) << c.text;
  }
  QLocale::setDefault(QLocale::c());
  answers->beep = nullptr;
  // A pasted number is typed: digits follow it, Backspace edits it.
  QApplication::clipboard()->setText("42");
  QTest::keyClick(form.get(), Qt::Key_Insert, Qt::ShiftModifier);
  Press("1 BS BS");
  EXPECT_EQ(Shown(), "4");
}

TEST_F(CalcTest, ScreenReadersHearWhatEachKeyDoes) {
  // clang-format off
  const std::pair<const char*, const char*> names[] = {
      {"Sq", "Square root"}, {"Square", "Square"}, {"Multiple", "Multiply"}, {"Divide", "Divide"},
      {"Plus", "Add"}, {"Minus", "Subtract"}, {"Equal", "Equals"}, {"Point", "Decimal point"},
      {"P1", "Add one"}, {"Erase", "Subtract one"}, {"Clear", "Clear"}, {"CE", "Clear entry"},
      {"Num7", ""},
  };
  // clang-format on
  for (const auto& [control, name] : names) {
    EXPECT_EQ(form->GetButton(control).accessibleName(), name) << control;
  }
  EXPECT_EQ(form->GetButton("Sq").toolTip(), "Square root (key R)");
  EXPECT_EQ(form->GetButton("Equal").toolTip(), "Equals (key = or Enter)");
  EXPECT_EQ(form->GetLabel("Display").accessibleName(), QString());
}

TEST_F(CalcTest, CaptionsAndNumbersStayInsideTheirEdges) {
  const common::CommandButton& root = form->GetButton("Sq");
  for (const double scale : {1.0, 1.25, 1.5, 2.0}) {
    QFont font = root.CaptionFont();
    font.setPointSizeF(font.pointSizeF() * scale);
    EXPECT_LE(QFontMetricsF(font).horizontalAdvance(root.text()), root.CaptionRoom() * scale)
        << "scale " << scale;
  }
  // Too wide: typing shows its last digits, a result its sign, leading
  // digits and exponent; the display's own text stays whole.
  const struct {
    const char* keys;
    const char* starts;
    const char* ends;
    qsizetype size;
  } wide[] = {
      {"1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 0", "\u2026", "7890", 30},
      {"7 x^2 x^2 x^2 x^2 x^2 x^2 x^2 x^2", " 2.21", "\u2026E+216", 22},
      {"0 - 7 x^2 x^2 x^2 x^2 x^2 x^2 x^2 x^2 =", "-2.21", "\u2026E+216", 22},
      {"7 x^2 x^2 x^2 x^2 x^2 x^2 x^2 x^2 +1", "2.21", "E+216", 21},
  };
  for (const auto& row : wide) {
    Fresh();
    Press(row.keys);
    const QString shown = ShownText(form->GetLabel("Display"));
    EXPECT_TRUE(shown.startsWith(QString::fromUtf8(row.starts)) &&
                shown.endsWith(QString::fromUtf8(row.ends)))
        << row.keys << ": " << shown.toStdString();
    EXPECT_EQ(form->GetLabel("Display").text().size(), row.size) << row.keys;
  }
}

TEST_F(CalcTest, KeyboardShortcutsShowTheDigitsAsOneRow) {
  QAction* shortcuts = nullptr;
  for (QAction* menu : form->MenuBar()->actions())
    for (QAction* action : menu->menu()->actions())
      if (action->text() == "&Keyboard Shortcuts") shortcuts = action;
  ASSERT_NE(shortcuts, nullptr);
  shortcuts->trigger();
  auto* dialog = form->findChild<QDialog*>(QStringLiteral("shortcuts"));
  ASSERT_NE(dialog, nullptr);
  const auto* table = dialog->findChild<QTableWidget*>();
  QStringList lines;
  for (int row = 0; row < table->rowCount(); ++row)
    lines << table->item(row, 0)->text() + QStringLiteral(": ") + table->item(row, 1)->text();
  EXPECT_TRUE(lines.contains(QString::fromUtf8("Digits: 0\u20139")))
      << lines.join(u'|').toStdString();
  EXPECT_FALSE(lines.contains(QStringLiteral("7: 7")));
  EXPECT_EQ(lines.last(), QStringLiteral("Keyboard Shortcuts: F1"));
  delete dialog;
}

TEST_F(CalcTest, HelpStaysTheLastMenu) {
  common::MenuNamed(*form->MenuBar(), QStringLiteral("&Later")).addAction(QStringLiteral("x"));
  QStringList titles;
  for (QAction* menu : form->MenuBar()->actions()) titles << menu->text();
  EXPECT_EQ(titles.join(u'|').toStdString(), "&Edit|&Calculate|&Memory|Hi&story|&Later|&Help");
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
    EXPECT_TRUE(boxes[0].explanation.ends_with("The calculator kept its previous state."));
    EXPECT_EQ(Shown(), c.shown) << c.keys;
    EXPECT_TRUE(std::isfinite(form->firstNum) && std::isfinite(form->resultNum)) << c.keys;
    // The program is alive and the next key works.
    Press("C 4 + 4 =");
    EXPECT_EQ(Shown(), " 8") << c.keys;
  }
}

TEST_F(CalcTest, RealBoxesExplainTheFaultAndFitTheirTitle) {
  answers->messageBox = nullptr;
  std::vector<std::string> seen;  // title: text / explanation
  const auto answer = [&] {
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      seen.push_back(
          (box->windowTitle() + ": " + box->text() + " / " + box->informativeText()).toStdString());
      // Room for the title and a title bar's icon and buttons.
      const QFontMetrics metrics = box->fontMetrics();
      EXPECT_GE(box->width(), metrics.horizontalAdvance(box->windowTitle()) + 6 * metrics.height());
      box->accept();
    });
  };
  answer();
  Press("0 -1 sqrt");
  answer();
  Press("C 5 / 0 =");
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "Calculator: Invalid argument / The square root of a negative number is not "
                      "defined. The calculator kept its previous state.",
                      "Calculator Error: Cannot divide by zero / "}));
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
  EXPECT_EQ(form->Client().size(), QSize(455, 248));
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
  // Fixed: it can be neither resized nor maximised into empty space.
  const QSize size = form->size();
  form->resize(600, 600);
  EXPECT_EQ(form->size(), size);
  EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
}

struct Typed {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  const char* clicks;  // the button clicked, "" for none
};

TEST_F(CalcTest, EachTypedKeyClicksItsKeyOnceWhereverTheFocusIs) {
  const Typed cases[] = {
      {Qt::Key_7, Qt::KeypadModifier, "Num7"},
      {Qt::Key_Comma, {}, "Point"},
      {Qt::Key_Period, Qt::KeypadModifier, "Point"},
      {Qt::Key_Plus, Qt::KeypadModifier, "Plus"},
      {Qt::Key_Asterisk, Qt::ShiftModifier, "Multiple"},
      {Qt::Key_Slash, Qt::KeypadModifier, "Divide"},
      {Qt::Key_Minus, Qt::KeypadModifier, "Minus"},
      {Qt::Key_Enter, Qt::KeypadModifier, "Equal"},
      {Qt::Key_Return, {}, "Equal"},
      {Qt::Key_Equal, {}, "Equal"},
      {Qt::Key_R, Qt::ShiftModifier, "Sq"},
      {Qt::Key_Q, Qt::ShiftModifier, "Square"},
      {Qt::Key_P, Qt::ShiftModifier, "P1"},
      {Qt::Key_M, {}, "Erase"},
      {Qt::Key_Space, {}, "Num8"},  // the focused key
      {Qt::Key_R, Qt::ControlModifier, ""},
      {Qt::Key_A, {}, ""},
  };
  std::vector<std::string> clicked;
  for (QAbstractButton* button : form->findChildren<QAbstractButton*>())
    QObject::connect(button, &QAbstractButton::clicked,
                     [&clicked, button] { clicked.push_back(button->objectName().toStdString()); });
  form->GetButton("Num8").setFocus();
  for (const Typed& c : cases) {
    clicked.clear();
    QTest::keyClick(QApplication::focusWidget(), c.key, c.modifiers);
    EXPECT_EQ(clicked,
              c.clicks[0] ? std::vector<std::string>{c.clicks} : std::vector<std::string>{})
        << QKeySequence(c.key | c.modifiers).toString().toStdString();
    EXPECT_EQ(QApplication::focusWidget(), &form->GetButton("Num8"));
  }
  // The typed key is seen pressed, then released.
  QTest::keyClick(form.get(), Qt::Key_5);
  EXPECT_TRUE(form->GetButton("Num5").isDown());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !form->GetButton("Num5").isDown(); }));
  // Nothing is typed behind a message box.
  QDialog box(form.get());
  box.setModal(true);
  box.show();
  clicked.clear();
  QTest::keyClick(form.get(), Qt::Key_5);
  EXPECT_TRUE(clicked.empty());
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
