#pragma once

#include <QKeySequence>
#include <QMenuBar>
#include <QString>
#include <span>
#include <string_view>
#include <vector>

#include "common/form.h"
#include "common/text.h"

namespace common {

// One menu command as data: the menu it is in, its text, its standard
// shortcut, and the keys it should answer to where the platform's standard
// lacks them ("Ctrl+Shift+S", comma-separated).
template <class Target>
struct MenuItem {
  std::string_view menu;
  std::string_view text;
  QKeySequence::StandardKey key;
  std::string_view extraKeys;
  void (Target::*command)();
};

QMenu& MenuNamed(QMenuBar& bar, std::string_view title);
QList<QKeySequence> Shortcuts(QKeySequence::StandardKey key, std::string_view extraKeys);

// Fills the window's menu bar: each item goes into the menu of its title
// (made on first use) and calls its command on the target, inside the
// window's Run frame. Returns the actions, one per item, in order.
template <class Target>
std::vector<QAction*> AddMenus(Form& form, Target& target,
                               std::span<const MenuItem<Target>> items) {
  QMenuBar& bar = form.AddMenuBar();
  std::vector<QAction*> actions;
  for (const MenuItem<Target>& item : items) {
    QAction* action = MenuNamed(bar, item.menu).addAction(common::ToQString(item.text));
    action->setShortcuts(Shortcuts(item.key, item.extraKeys));
    QObject::connect(action, &QAction::triggered, &form, [&form, &target, command = item.command] {
      form.Run([&] { (target.*command)(); });
    });
    actions.push_back(action);
  }
  return actions;
}

}  // namespace common
