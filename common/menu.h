#pragma once

#include <QKeySequence>
#include <QMenuBar>
#include <QString>
#include <span>
#include <string_view>
#include <vector>

#include "common/form.h"
#include "common/help.h"
#include "common/i18n.h"

namespace common {

// One menu command as data: the menu it is in, its text (both marked for
// the catalogues in the context "menus"), its standard shortcut, and the
// keys it should answer to where the platform's standard lacks them
// ("Ctrl+Shift+S", comma-separated).
template <class Target>
struct MenuItem {
  std::string_view menu;
  std::string_view text;
  QKeySequence::StandardKey key;
  std::string_view extraKeys;
  void (Target::*command)();
};

QMenu& MenuNamed(QMenuBar& bar, const QString& title);
// The menu's item of this text (in the catalogue's English), for putting
// another beside it; null when there is none.
QAction* ActionNamed(const QMenu& menu, const char* text);
QList<QKeySequence> Shortcuts(QKeySequence::StandardKey key, std::string_view extraKeys);
// The keys a person knows a command by: the platform's first and the extra
// ones, not rare alternates such as F14 or Ctrl+Insert.
QList<QKeySequence> UsualKeys(QKeySequence::StandardKey key, std::string_view extraKeys);
// A menu text without its access key, in the user's language.
QString MenuText(std::string_view text);

// Fills the window's menu bar: each item goes into the menu of its title
// (made on first use) and calls its command on the target, inside the
// window's Run frame. Returns the actions, one per item, in order.
template <class Target>
std::vector<QAction*> AddMenus(Form& form, Target& target,
                               std::span<const MenuItem<Target>> items) {
  QMenuBar& bar = form.AddMenuBar();
  std::vector<QAction*> actions;
  for (const MenuItem<Target>& item : items) {
    QAction* action =
        MenuNamed(bar, Tr("menus", item.menu.data())).addAction(Tr("menus", item.text.data()));
    action->setShortcuts(Shortcuts(item.key, item.extraKeys));
    QObject::connect(action, &QAction::triggered, &form, [&form, &target, command = item.command] {
      form.Run([&] { (target.*command)(); });
    });
    actions.push_back(action);
  }
  return actions;
}

// Help > Keyboard Shortcuts' lines for the commands that have keys.
template <class Target>
QList<ShortcutRow> ShortcutRows(std::span<const MenuItem<Target>> items) {
  QList<ShortcutRow> rows;
  for (const MenuItem<Target>& item : items) {
    QStringList keys;
    for (const QKeySequence& key : UsualKeys(item.key, item.extraKeys))
      keys << key.toString(QKeySequence::NativeText);
    if (!keys.isEmpty()) rows.append({MenuText(item.text), keys.join(QStringLiteral(", "))});
  }
  return rows;
}

}  // namespace common
