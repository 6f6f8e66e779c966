#include "paint/tests/window_fixture.h"

namespace paint {
namespace {

TEST_F(PaintTest, PictureSizeTypedOverTheSelectedWidthAndATitleThatFits) {
  answers->pictureSize = nullptr;
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
  answers->scale = [](const QSize&) { return std::optional(QSize(20, 15)); };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(sketchly->OpenAtStart(file));
    QGuiApplication::clipboard()->clear();
    row.act();
    EXPECT_EQ(Drawing().convertToFormat(QImage::Format_RGB32),
              row.expected.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(sketchly->Doc().History().Steps(), static_cast<size_t>(row.steps));
    if (!row.copied.isNull()) {
      EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                row.copied.convertToFormat(QImage::Format_RGB32));
    }
    if (row.steps > 0) {
      sketchly->Edit().Undo();
      EXPECT_EQ(Drawing().convertToFormat(QImage::Format_RGB32), base) << "undone";
    }
  }
  answers->scale = nullptr;
}

}  // namespace
}  // namespace paint
