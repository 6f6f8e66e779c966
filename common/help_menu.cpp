#include "common/help_menu.h"

#include <QActionEvent>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <array>
#include <utility>

#include "common/form.h"
#include "common/menu.h"
#include "common/text.h"

namespace common {
namespace {

class HelpMenu : public QObject {
 public:
  HelpMenu(Form& form, HelpSubject subject)
      : QObject(&form),
        form_(form),
        subject_(std::move(subject)),
        items_{{
            {QT_TRANSLATE_NOOP("menus", "&Help"), QT_TRANSLATE_NOOP("menus", "&Keyboard Shortcuts"),
             QKeySequence::HelpContents, "", &HelpMenu::ShowShortcuts},
            {QT_TRANSLATE_NOOP("menus", "&Help"), subject_.aboutItem, QKeySequence::UnknownKey, "",
             &HelpMenu::ShowAbout},
            {QT_TRANSLATE_NOOP("menus", "&Help"), QT_TRANSLATE_NOOP("menus", "About &Qt"),
             QKeySequence::UnknownKey, "", &HelpMenu::ShowAboutQt},
        }} {
    AddMenus<HelpMenu>(form, *this, items_);
    menu_ = &MenuNamed(*form.MenuBar(), Tr("menus", items_[0].menu.data()));
    form.MenuBar()->installEventFilter(this);
  }

  QMenu& Menu() { return *menu_; }

 protected:
  // A menu added after Help goes before it: Help is last in every program.
  // Moved while the bar takes the new menu, so that a native menu bar, which
  // inserts each menu before the one that follows it, keeps that order too.
  bool eventFilter(QObject* bar, QEvent* event) override {
    if (event->type() != QEvent::ActionAdded || !menu_) return false;
    QAction* help = menu_->menuAction();
    if (static_cast<QActionEvent*>(event)->action() != help) {
      auto* widget = static_cast<QWidget*>(bar);
      widget->removeAction(help);
      widget->addAction(help);
    }
    return false;
  }

 private:
  void ShowShortcuts() {
    QList<ShortcutRow> rows =
        subject_.shortcutRows ? subject_.shortcutRows() : QList<ShortcutRow>();
    rows.append(ShortcutRows<HelpMenu>(items_));
    common::ShowShortcuts(&form_, rows);
  }
  void ShowAbout() { common::ShowAbout(&form_, ToQString(form_.Caption()), subject_.sentence); }
  void ShowAboutQt() { QApplication::aboutQt(); }

  Form& form_;
  HelpSubject subject_;
  std::array<MenuItem<HelpMenu>, 3> items_;
  QPointer<QMenu> menu_;  // the bar deletes it before it is done
};

}  // namespace

QMenu& AddHelpMenu(Form& form, HelpSubject subject) {
  return (new HelpMenu(form, std::move(subject)))->Menu();
}

}  // namespace common
