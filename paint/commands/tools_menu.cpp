#include "paint/commands/tools_menu.h"

#include "common/i18n.h"
#include "common/menu.h"
#include "paint/form1.h"
#include "paint/tools/fill_tool.h"
#include "paint/tools/pick_tool.h"
#include "paint/tools/select_tool.h"
#include "paint/tools/tool_box.h"

namespace paint {
namespace {

using common::MenuItem;

constexpr MenuItem<ToolsMenu> kMenu[] = {
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "&Select"),
     QKeySequence::UnknownKey, "R", &ToolsMenu::SelectTool},
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "Pick &Colour"),
     QKeySequence::UnknownKey, "O", &ToolsMenu::PickTool},
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "&Fill"),
     QKeySequence::UnknownKey, "Shift+B", &ToolsMenu::FillTool},
};

}  // namespace

ToolsMenu::ToolsMenu(const Workbench& bench) : QObject(&bench.form), bench_(bench) {
  bench.tools.Add<paint::SelectTool>();
  bench.tools.Add<paint::PickTool>();
  bench.tools.Add<paint::FillTool>();
  common::AddMenus<ToolsMenu>(bench.form, *this, kMenu);
}

QList<common::ShortcutRow> ToolsMenu::ShortcutRows() const {
  return common::ShortcutRows<ToolsMenu>(kMenu);
}

void ToolsMenu::SelectTool() {
  bench_.tools.Choose(bench_.tools.Find<paint::SelectTool>());
}

void ToolsMenu::PickTool() {
  bench_.tools.Choose(bench_.tools.Find<paint::PickTool>());
}

void ToolsMenu::FillTool() {
  bench_.tools.Choose(bench_.tools.Find<paint::FillTool>());
}

}  // namespace paint
