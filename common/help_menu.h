#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <string_view>

#include "common/help.h"

class QMenu;

namespace common {

class Form;

// What the Help menu tells of a program.
struct HelpSubject {
  // The About item's text, marked for the catalogues in the context "menus"
  // ("&About Calculator"); About names the program by the window's caption.
  std::string_view aboutItem;
  // The one sentence Help > About says of the program, in the user's language.
  QString sentence;
  // The program's lines of Help > Keyboard Shortcuts, asked each time it
  // opens, so that they show the keys as they are then; Help's own line
  // follows them.
  std::function<QList<ShortcutRow>()> shortcutRows;
};

// Help > Keyboard Shortcuts (F1), About and About Qt in the window's menu
// bar. Help stays the last menu, whatever is added to the bar after it.
// Everything belongs to the window.
QMenu& AddHelpMenu(Form& form, HelpSubject subject);

}  // namespace common
