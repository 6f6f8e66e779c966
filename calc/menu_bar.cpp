#include "calc/menu_bar.h"

#include <utility>

#include <QMenu>
#include <QMenuBar>

#include "calc/form1.h"
#include "calc/history.h"
#include "calc/keys.h"
#include "calc/memory.h"
#include "calc/percent.h"
#include "common/help_menu.h"
#include "common/i18n.h"
#include "common/menu.h"

namespace calc {
namespace {

QList<common::ShortcutRow> ShortcutRows(Form1& form) {
  QList<common::ShortcutRow> rows;
  for (QAction* action : form.GetLabel("Display").actions())
    rows.append(
        {action->text().remove(u'&'), action->shortcut().toString(QKeySequence::NativeText)});
  rows.append(common::ShortcutRows(Percent::MenuItems()));
  rows.append(common::ShortcutRows(Memory::MenuItems()));
  rows.append(common::ShortcutRows(History::MenuItems()));
  bool digits = false;
  for (const Key& key : Keys()) {
    if (key.spokenName.empty()) {  // a digit: the ten are one line
      if (!std::exchange(digits, true))
        rows.append({common::Tr("calc", "Digits"), QStringLiteral("0\u20139")});
      continue;
    }
    rows.append(
        {common::Tr("calc", key.spokenName.data()), common::Tr("calc", key.typedAs.data())});
  }
  rows.append({common::Tr("calc", "Take back the last digit"),
               QKeySequence(Qt::Key_Backspace).toString(QKeySequence::NativeText)});
  return rows;
}

}  // namespace

void AddEditMenu(Form1& form) {
  QMenu& edit = common::MenuNamed(form.AddMenuBar(), common::Tr("menus", "&Edit"));
  edit.addActions(form.GetLabel("Display").actions());
}

void AddHelpMenu(Form1& form) {
  common::AddHelpMenu(form,
                      {QT_TRANSLATE_NOOP("menus", "&About Calculator"),
                       common::Tr("common", "A pocket calculator with one pending operation."),
                       [&form] { return ShortcutRows(form); }});
}

}  // namespace calc
