#include "paint/tests/window_fixture.h"

namespace paint {
namespace {

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
  EXPECT_EQ(command("&Undo")->text(), "&Undo Brush") << "named after what it takes back";
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  QTest::keyClick(form->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(Blank());
  EXPECT_EQ(enabled(), std::tuple(false, true, false));
  EXPECT_EQ(command("&Undo")->text(), "&Undo");
  EXPECT_EQ(command("&Redo")->text(), "&Redo Brush");
  // One line per command with its usual keys, as a table.
  command("&Keyboard Shortcuts")->trigger();
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
  answers->chooseFile = [](const common::FileDialogRequest&) -> std::optional<std::string> {
    throw std::runtime_error("no file chooser");
  };
  command("&Open...")->trigger();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, "no file chooser");
  EXPECT_EQ(boxes[0].title, "Sketchly");
  EXPECT_TRUE(form->isVisible());
}

}  // namespace
}  // namespace paint
