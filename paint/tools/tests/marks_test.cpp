// The marking tools on a real window: the pixels each mark leaves and the
// text tool's editing, through real events.
#include <QInputMethodEvent>
#include <QSettings>

#include "paint/tests/window_fixture.h"
#include "paint/tools/mark_settings.h"
#include "paint/tools/text_font_dialog.h"
#include "paint/tools/text_tool.h"
#include "paint/tools/tool_box.h"

namespace paint {
namespace {

constexpr int16_t kLightRedSwatch = 4;
constexpr QRgb kLightRed = 0xFFFF8080;

class MarksTest : public PaintTest {
 protected:
  // The settings a test changes are not the user's.
  void SetUp() override {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    PaintTest::SetUp();
  }
  QTemporaryDir settingsDir;
  MarkSettings& Settings() { return sketchly->Tools().Settings(); }
  // A drag through the points with the left button, Shift held or not.
  void Stroke(const std::vector<QPoint>& points, Qt::KeyboardModifiers mods) {
    const QPoint first = points.front(), last = points.back();
    QTest::mousePress(&Canvas(), Qt::LeftButton, mods, At(first.x(), first.y()));
    for (const QPoint point : points) {
      QMouseEvent move(QEvent::MouseMove, QPointF(At(point.x(), point.y())),
                       Canvas().mapToGlobal(QPointF(At(point.x(), point.y()))), Qt::NoButton,
                       Qt::LeftButton, mods);
      QApplication::sendEvent(&Canvas(), &move);
    }
    QTest::mouseRelease(&Canvas(), Qt::LeftButton, mods, At(last.x(), last.y()));
  }
  QString UndoText() { return Command("&Undo")->text(); }
};

// What a row expects of a pixel: the drawing colour, untouched white, or
// (for a redaction) anything but what was there.
enum Expect { kInk, kUntouched, kHidden, kBlackStays };
struct Probe {
  QPoint at;
  Expect expect;
};
struct MarkCase {
  const char* command;
  const char* pen;  // the width, and dashed, filled, blocks or shift
  std::vector<QPoint> stroke;
  std::vector<Probe> probes;
};

TEST_F(MarksTest, EachMarkLeavesItsPixelsAndIsOneStep) {
  // clang-format off
  const MarkCase cases[] = {
      // Width: nine rows of a horizontal line, none beyond.
      {"&Line", "9", {{20, 40}, {120, 40}},
       {{{70, 36}, kInk}, {{70, 44}, kInk}, {{70, 35}, kUntouched}, {{70, 45}, kUntouched}}},
      // Zoomed in, the line lands under the pointer.
      {"&Line", "9 zoom", {{40, 80}, {240, 80}},
       {{{70, 36}, kInk}, {{70, 44}, kInk}, {{70, 35}, kUntouched}, {{70, 45}, kUntouched}}},
      // Shift keeps it level however the pointer wanders.
      {"&Line", "1 shift", {{20, 40}, {120, 47}},
       {{{110, 40}, kInk}, {{110, 46}, kUntouched}, {{120, 47}, kUntouched}}},
      // The head is wider than the shaft and grows with the width.
      {"&Arrow", "4", {{20, 100}, {200, 100}},
       {{{60, 98}, kInk}, {{60, 104}, kUntouched}, {{186, 105}, kInk}, {{166, 114}, kUntouched}}},
      {"&Arrow", "12", {{20, 100}, {200, 100}},
       {{{60, 104}, kInk}, {{60, 110}, kUntouched}, {{166, 114}, kInk}}},
      // Dashes leave gaps along the line.
      {"&Line", "3 dashed", {{10, 60}, {200, 60}},
       {{{12, 60}, kInk}, {{25, 60}, kUntouched}, {{34, 60}, kInk}}},
      {"&Rectangle", "5", {{30, 30}, {130, 100}},
       {{{80, 28}, kInk}, {{80, 32}, kInk}, {{80, 35}, kUntouched}, {{80, 65}, kUntouched}}},
      {"&Rectangle", "5 filled", {{30, 30}, {130, 100}},
       {{{80, 65}, kInk}, {{140, 65}, kUntouched}}},
      {"Elli&pse", "2 filled", {{30, 30}, {130, 100}}, {{{80, 65}, kInk}, {{32, 32}, kUntouched}}},
      // Black under the highlighter stays black; white takes its colour
      // once, though the stroke passes over it twice.
      {"&Highlighter", "20", {{20, 150}, {150, 150}, {20, 150}},
       {{{65, 150}, kBlackStays}, {{120, 150}, kInk}, {{120, 165}, kUntouched}}},
      // Nothing of what was there stays in a redaction, solid or in blocks.
      {"R&edact", "1", {{40, 40}, {139, 89}},
       {{{40, 40}, kInk}, {{139, 89}, kInk}, {{140, 90}, kHidden}}},
      {"R&edact", "1 blocks", {{40, 40}, {139, 89}},
       {{{40, 40}, kHidden}, {{90, 60}, kHidden}, {{139, 89}, kHidden}}},
  };
  // clang-format on
  for (const MarkCase& row : cases) {
    SCOPED_TRACE(std::string(row.command) + " " + row.pen);
    const QStringList pen = QString::fromLatin1(row.pen).split(u' ');
    Document& document = sketchly->Doc();
    // A photo to redact; white with a black bar to mark or draw on.
    const bool redact = std::string(row.command) == "R&edact";
    const bool marker = std::string(row.command) == "&Highlighter";
    QImage before = Photo(389, 229);
    if (!redact) {
      before.fill(kWhite);
      if (marker) QPainter(&before).fillRect(50, 0, 30, 229, Qt::black);
    }
    document.Begin(before, QString(), ImageSource());
    if (pen.contains(QStringLiteral("zoom"))) {
      Canvas().SetZoom(2.0);
      Canvas().ScrollTo(QPoint());
    }
    Settings().width = pen[0].toInt();
    Settings().dashed = pen.contains(QStringLiteral("dashed"));
    Settings().filled = pen.contains(QStringLiteral("filled"));
    Settings().blocks = pen.contains(QStringLiteral("blocks"));
    Settings().smooth = true;
    Swatch(marker ? kLightRedSwatch : kBlackSwatch);
    Command(row.command)->trigger();
    Stroke(row.stroke, pen.contains(QStringLiteral("shift")) ? Qt::ShiftModifier : Qt::NoModifier);
    const QRgb ink = marker ? kLightRed : kBlack;
    for (const Probe& probe : row.probes) {
      const QRgb pixel = Pixel(probe.at.x(), probe.at.y());
      const QRgb was = before.pixel(probe.at);
      SCOPED_TRACE(std::to_string(probe.at.x()) + "," + std::to_string(probe.at.y()));
      switch (probe.expect) {
        case kInk:
          EXPECT_EQ(pixel, ink);
          break;
        case kUntouched:
          EXPECT_EQ(pixel, kWhite);
          break;
        case kBlackStays:
          EXPECT_EQ(pixel, kBlack);
          break;
        case kHidden:
          EXPECT_EQ(pixel == was, !QRect(40, 40, 100, 50).contains(probe.at));
          break;
      }
    }
    const QString name = QString::fromUtf8(row.command).remove(u'&');
    EXPECT_EQ(UndoText().toStdString(), ("&Undo " + name).toStdString());
    Command("&Undo")->trigger();
    EXPECT_EQ(Drawing(), before.convertToFormat(Drawing().format()));
  }
}

// Blocks hide whatever was there: two different pictures under the same
// blocks give the same pixels, and each block is 16 pixels a side at least.
TEST_F(MarksTest, RedactionBlocksCarryNothingOfThePicture) {
  QImage one = Photo(300, 200), two(300, 200, QImage::Format_RGB32);
  two.fill(Qt::white);
  const QRect area(10, 10, 250, 70);
  RedactInBlocks(one, area, kBlack, 7);
  RedactInBlocks(two, area, kBlack, 7);
  EXPECT_EQ(one.copy(area), two.copy(area));
  EXPECT_EQ(RedactionBlocks(area, kBlack, 7).size(), QSize(250 / 16, 70 / 16));
}

// Once a redaction is saved, nothing paint keeps holds what it hid: the
// history begins afresh, and a copy made before it leaves the clipboard
// (one made after it stays).
TEST_F(MarksTest, ASavedRedactionLeavesNoCopyOfWhatItHid) {
  for (const bool copyAfter : {false, true}) {
    SCOPED_TRACE(copyAfter);
    sketchly->Doc().Begin(Photo(389, 229), QString(), ImageSource());
    Command("&Copy")->trigger();
    Command("R&edact")->trigger();
    Stroke({{10, 10}, {60, 40}}, Qt::NoModifier);
    if (copyAfter) Command("&Copy")->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_TRUE(Command("&Undo")->isEnabled());
    fileAnswer = Path("redacted.png");
    sketchly->File().SaveAs();
    EXPECT_FALSE(sketchly->Doc().IsModified());
    EXPECT_FALSE(Command("&Undo")->isEnabled());
    // Only a clipboard that tells its owner (not the offscreen one) is ours to clear.
    if (QGuiApplication::clipboard()->ownsClipboard()) {
      EXPECT_EQ(QGuiApplication::clipboard()->image(), copyAfter ? copied : QImage());
    }
  }
}

// Typed keys, an input method's text and the editing keys, then set down.
struct Typed {
  QString text;  // typed as keys, or committed by an input method after `composing`
  Qt::Key key = Qt::Key_unknown;
  QString composing = QString();
};
struct TextCase {
  const char* name;
  std::vector<Typed> typed;
  QString text;
  int cursor;
};

TEST_F(MarksTest, TextIsTypedEditedSetDownAndUndone) {
  const TextCase cases[] = {
      {"letters that are shortcuts too", {{"Label TA"}}, "Label TA", 8},
      {"a dead key composes through the input method", {{"ni"}, {"ñ", {}, "~"}, {"o"}}, "niño", 4},
      {"Chinese through the input method", {{"中文", {}, "zhongwen"}}, "中文", 2},
      {"Backspace and Delete",
       {{"abcd"}, {"", Qt::Key_Backspace}, {"", Qt::Key_Home}, {"", Qt::Key_Delete}},
       "bc",
       0},
      {"arrows, End and Enter",
       {{"ab"},
        {"", Qt::Key_Left},
        {"", Qt::Key_Return},
        {"c"},
        {"", Qt::Key_Up},
        {"", Qt::Key_End},
        {"x"}},
       "ax\ncb",
       2},
  };
  TextTool& tool = *sketchly->Tools().Find<TextTool>();
  for (const TextCase& row : cases) {
    SCOPED_TRACE(row.name);
    sketchly->Doc().Begin(QImage(), QString(), ImageSource());
    Command("&Text")->trigger();
    Click(30, 60);
    for (const Typed& typed : row.typed) {
      if (!typed.composing.isEmpty()) {
        QInputMethodEvent composing(typed.composing, {});
        QApplication::sendEvent(&Canvas(), &composing);
        QInputMethodEvent done;
        done.setCommitString(typed.text);
        QApplication::sendEvent(&Canvas(), &done);
      } else if (typed.key != Qt::Key_unknown) {
        QTest::keyClick(&Canvas(), typed.key);
      } else {
        QTest::keyClicks(&Canvas(), typed.text);
      }
    }
    EXPECT_EQ(tool.Text().toStdString(), row.text.toStdString());
    EXPECT_EQ(tool.Cursor(), row.cursor);
    EXPECT_EQ(sketchly->Tools().Active(), &tool) << "no letter chose another tool";
    EXPECT_TRUE(Blank()) << "not in the picture until set down";
    QTest::keyClick(&Canvas(), Qt::Key_Escape);
    EXPECT_FALSE(Blank());
    EXPECT_EQ(UndoText().toStdString(), "&Undo Text");
    Command("&Undo")->trigger();
    EXPECT_TRUE(Blank());
  }
}

// Until it is set down the text can be dragged and take another colour;
// the width steps and is remembered between runs.
TEST_F(MarksTest, TextMovesAndRecoloursUntilSetDownAndSettingsAreKept) {
  Command("&Text")->trigger();
  Click(30, 60);
  QTest::keyClicks(&Canvas(), "Hi");
  Stroke({{32, 60}, {132, 160}}, Qt::NoModifier);  // dragged by its first letter
  Swatch(kRedSwatch);
  answers->textFont = [](MarkSettings& settings) {
    settings.textSize = 40;
    return true;
  };
  Command("Text F&ont...")->trigger();
  answers->textFont = nullptr;
  Click(300, 20);  // outside it: set down
  const QRect moved(130, 150, 30, 25), left(28, 50, 30, 25);
  bool red = false, black = false, tall = false;
  for (int y = 0; y < Canvas().InnerHeight(); ++y)
    for (int x = 0; x < Canvas().InnerWidth(); ++x) {
      if (Pixel(x, y) == kRed) red = red || moved.contains(x, y);
      if (Pixel(x, y) == kRed) tall = tall || y > 180;  // 40 pixels high, not 16
      if (Pixel(x, y) != kWhite && left.contains(x, y)) black = true;
    }
  EXPECT_TRUE(red);
  EXPECT_TRUE(tall);
  EXPECT_FALSE(black) << "nothing left where it was typed";
  EXPECT_EQ(sketchly->Tools().Find<TextTool>()->Typing(), false);

  Settings().width = 3;
  Command("Thic&ker")->trigger();
  EXPECT_EQ(Settings().width, 4);
  EXPECT_TRUE(form->StatusBar()->findChild<QLabel*>() != nullptr);
  MarkSettings again;
  again.Load();
  EXPECT_EQ(again.width, 4);
}

}  // namespace
}  // namespace paint
