#include "paint/commands/tools_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QStringList>
#include <algorithm>

#include "common/i18n.h"
#include "common/menu.h"
#include "paint/form1.h"
#include "paint/tools/fill_tool.h"
#include "paint/tools/highlighter_tool.h"
#include "paint/tools/mark_settings.h"
#include "paint/tools/pick_tool.h"
#include "paint/tools/redact_tool.h"
#include "paint/tools/select_tool.h"
#include "paint/tools/shape_tool.h"
#include "paint/tools/text_font_dialog.h"
#include "paint/tools/text_tool.h"
#include "paint/tools/tool_box.h"

namespace paint {
namespace {

using common::MenuItem;

constexpr MenuItem<ToolsMenu> kTools[] = {
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "&Select"),
     QKeySequence::UnknownKey, "R", &ToolsMenu::Choose<paint::SelectTool>},
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "Pick &Colour"),
     QKeySequence::UnknownKey, "O", &ToolsMenu::Choose<paint::PickTool>},
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "&Fill"),
     QKeySequence::UnknownKey, "Shift+B", &ToolsMenu::Choose<paint::FillTool>},
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "&Text"),
     QKeySequence::UnknownKey, "T", &ToolsMenu::Choose<paint::TextTool>},
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "&Line"),
     QKeySequence::UnknownKey, "L", &ToolsMenu::Choose<paint::LineTool>},
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "&Arrow"),
     QKeySequence::UnknownKey, "A", &ToolsMenu::Choose<paint::ArrowTool>},
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "&Rectangle"),
     QKeySequence::UnknownKey, "U", &ToolsMenu::Choose<paint::RectangleTool>},
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "Elli&pse"),
     QKeySequence::UnknownKey, "E", &ToolsMenu::Choose<paint::EllipseTool>},
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "&Highlighter"),
     QKeySequence::UnknownKey, "H", &ToolsMenu::Choose<paint::HighlighterTool>},
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "R&edact"),
     QKeySequence::UnknownKey, "X", &ToolsMenu::Choose<paint::RedactTool>},
};

constexpr MenuItem<ToolsMenu> kSettings[] = {
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "Thi&nner"),
     QKeySequence::UnknownKey, "[", &ToolsMenu::Thinner},
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "Thic&ker"),
     QKeySequence::UnknownKey, "]", &ToolsMenu::Thicker},
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "Text F&ont..."),
     QKeySequence::UnknownKey, "", &ToolsMenu::TextFont},
};

// A checkable setting of the menu: its text and the flag it sets.
struct Switch {
  const char* text;
  bool MarkSettings::*flag;
};
constexpr Switch kSwitches[] = {
    {QT_TRANSLATE_NOOP("menus", "&Dashed Lines"), &MarkSettings::dashed},
    {QT_TRANSLATE_NOOP("menus", "F&illed Shapes"), &MarkSettings::filled},
    {QT_TRANSLATE_NOOP("menus", "S&mooth Edges"), &MarkSettings::smooth},
    {QT_TRANSLATE_NOOP("menus", "Redact in &Blocks"), &MarkSettings::blocks},
};

}  // namespace

ToolsMenu::ToolsMenu(const Workbench& bench) : QObject(&bench.form), bench_(bench) {
  ToolBox& tools = bench.tools;
  tools.Add<paint::SelectTool>();
  tools.Add<paint::PickTool>();
  tools.Add<paint::FillTool>();
  tools.Add<paint::TextTool>();
  tools.Add<paint::LineTool>();
  tools.Add<paint::ArrowTool>();
  tools.Add<paint::RectangleTool>();
  tools.Add<paint::EllipseTool>();
  tools.Add<paint::HighlighterTool>();
  tools.Add<paint::RedactTool>();
  SettleBeforeOtherMenus();
  common::AddMenus<ToolsMenu>(bench.form, *this, kTools);
  QMenu& menu = common::MenuNamed(*bench.form.MenuBar(), common::Tr("menus", "&Tools"));
  menu.addSeparator();
  QMenu* widths = menu.addMenu(common::Tr("menus", "Line &Width"));
  auto* group = new QActionGroup(this);
  for (const int width : {1, 2, 3, 5, 8, 12, 20, 40, 100}) {
    QAction* action = widths->addAction(common::Tr("paint", "%1 px").arg(width));
    action->setCheckable(true);
    action->setData(width);
    group->addAction(action);
    connect(action, &QAction::triggered, this,
            [this, width] { bench_.form.Run([&] { SetWidth(width); }); });
    widths_.append(action);
  }
  common::AddMenus<ToolsMenu>(bench.form, *this, kSettings);
  for (const Switch& item : kSwitches) {
    QAction* action = menu.addAction(common::Tr("menus", item.text));
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, flag = item.flag](bool on) {
      bench_.form.Run([&] {
        Settings().*flag = on;
        Settings().Save();
      });
    });
    (item.flag == &MarkSettings::dashed   ? dashed_
     : item.flag == &MarkSettings::filled ? filled_
     : item.flag == &MarkSettings::smooth ? smooth_
                                          : blocks_) = action;
  }
  width_ = new QLabel(&bench.form.AddStatusBar());
  bench.form.AddStatusBar().addPermanentWidget(width_);
  Settings().changed.Add([this] { Changed(); });
  Changed();
}

QList<common::ShortcutRow> ToolsMenu::ShortcutRows() const {
  return common::ShortcutRows<ToolsMenu>(kTools) + common::ShortcutRows<ToolsMenu>(kSettings);
}

MarkSettings& ToolsMenu::Settings() const {
  return bench_.tools.Settings();
}

// The menu and the status bar show the settings as they are.
void ToolsMenu::Changed() {
  const MarkSettings& settings = Settings();
  for (QAction* action : widths_) action->setChecked(action->data().toInt() == settings.width);
  dashed_->setChecked(settings.dashed);
  filled_->setChecked(settings.filled);
  smooth_->setChecked(settings.smooth);
  blocks_->setChecked(settings.blocks);
  width_->setText(common::Tr("paint", "Width: %1 px").arg(settings.width));
  width_->setAccessibleName(width_->text());
}

void ToolsMenu::SettleBeforeOtherMenus() {
  // What a tool holds (a text being typed) is set down before a command of
  // another menu acts on the picture: when the menu opens, or at its key.
  // The view's zoom and the Tools menu's settings leave it as it is.
  const QStringList keep{common::Tr("menus", "&View"), common::Tr("menus", "&Tools")};
  for (QAction* title : bench_.form.MenuBar()->actions()) {
    if (!title->menu() || keep.contains(title->text())) continue;
    connect(title->menu(), &QMenu::aboutToShow, this,
            [this] { bench_.form.Run([&] { bench_.tools.SettleTool(); }); });
    for (QAction* action : title->menu()->actions()) action->installEventFilter(this);
  }
}

bool ToolsMenu::eventFilter(QObject* /*watched*/, QEvent* event) {
  if (event->type() == QEvent::Shortcut) bench_.form.Run([&] { bench_.tools.SettleTool(); });
  return false;
}

void ToolsMenu::SetWidth(int width) {
  Settings().width = std::clamp(width, MarkSettings::kMinWidth, MarkSettings::kMaxWidth);
  Settings().Save();
}

void ToolsMenu::Thinner() {
  SetWidth(MarkSettings::Stepped(Settings().width, false));
}

void ToolsMenu::Thicker() {
  SetWidth(MarkSettings::Stepped(Settings().width, true));
}

void ToolsMenu::TextFont() {
  if (AskTextFont(&bench_.form, Settings())) Settings().Save();
}

}  // namespace paint
