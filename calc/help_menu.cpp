#include "calc/help_menu.h"

#include <utility>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include "calc/form1.h"
#include "calc/keys.h"
#include "common/help.h"
#include "common/i18n.h"
#include "common/menu.h"
#include "common/text.h"

namespace calc {
namespace {

using common::MenuItem;

constexpr MenuItem<HelpMenu> kMenu[] = {
    {QT_TRANSLATE_NOOP("menus", "&Help"), QT_TRANSLATE_NOOP("menus", "&Keyboard Shortcuts"),
     QKeySequence::HelpContents, "", &HelpMenu::ShowShortcuts},
    {QT_TRANSLATE_NOOP("menus", "&Help"), QT_TRANSLATE_NOOP("menus", "&About Calculator"),
     QKeySequence::UnknownKey, "", &HelpMenu::ShowAbout},
    {QT_TRANSLATE_NOOP("menus", "&Help"), QT_TRANSLATE_NOOP("menus", "About &Qt"),
     QKeySequence::UnknownKey, "", &HelpMenu::ShowAboutQt},
};

}  // namespace

HelpMenu::HelpMenu(Form1& form) : QObject(&form), form_(form) {
  QMenu& edit = common::MenuNamed(form.AddMenuBar(), common::Tr("menus", "&Edit"));
  edit.addActions(form.GetLabel("Display").actions());
  common::AddMenus<HelpMenu>(form, *this, kMenu);
}

void HelpMenu::ShowShortcuts() {
  QList<common::ShortcutRow> rows;
  for (QAction* action : form_.GetLabel("Display").actions())
    rows.append(
        {action->text().remove(u'&'), action->shortcut().toString(QKeySequence::NativeText)});
  rows.append(common::ShortcutRows<HelpMenu>(kMenu).mid(0, 1));
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
  common::ShowShortcuts(&form_, rows);
}

void HelpMenu::ShowAbout() {
  common::ShowAbout(&form_, common::ToQString(form_.Caption()),
                    common::Tr("common", "A pocket calculator with one pending operation."));
}

void HelpMenu::ShowAboutQt() {
  QApplication::aboutQt();
}

}  // namespace calc
