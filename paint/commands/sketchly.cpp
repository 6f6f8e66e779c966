#include "paint/commands/sketchly.h"

#include <QApplication>

#include "common/help.h"
#include "common/i18n.h"
#include "common/menu.h"
#include "common/text.h"

namespace paint {
namespace {

using common::MenuItem;

constexpr MenuItem<Sketchly> kMenu[] = {
    {QT_TRANSLATE_NOOP("menus", "&Help"), QT_TRANSLATE_NOOP("menus", "&Keyboard Shortcuts"),
     QKeySequence::HelpContents, "", &Sketchly::ShowShortcuts},
    {QT_TRANSLATE_NOOP("menus", "&Help"), QT_TRANSLATE_NOOP("menus", "&About Sketchly"),
     QKeySequence::UnknownKey, "", &Sketchly::ShowAbout},
    {QT_TRANSLATE_NOOP("menus", "&Help"), QT_TRANSLATE_NOOP("menus", "About &Qt"),
     QKeySequence::UnknownKey, "", &Sketchly::ShowAboutQt},
};

}  // namespace

// The menus are made in the order they stand in the menu bar.
Sketchly::Sketchly(Form1& form)
    : QObject(&form),
      form_(form),
      document_(form.Canvas()),
      tools_(*new ToolBox(form, document_)),
      bench_{form, document_, tools_},
      file_(*new FileMenu(bench_)),
      edit_(*new EditMenu(bench_)),
      view_(*new ViewMenu(bench_)),
      image_(*new ImageMenu(bench_)),
      toolsMenu_(*new ToolsMenu(bench_)) {
  common::AddMenus<Sketchly>(form, *this, kMenu);
  new WindowStatus(bench_);
}

Sketchly& Attach(Form1& form) {
  return *new Sketchly(form);
}

void Sketchly::ShowShortcuts() {
  QList<common::ShortcutRow> rows;
  rows << file_.ShortcutRows() << edit_.ShortcutRows() << view_.ShortcutRows()
       << image_.ShortcutRows() << toolsMenu_.ShortcutRows()
       << common::ShortcutRows<Sketchly>(kMenu);
  rows.append({form_.ColourButton().text().remove(u'&'), QStringLiteral("Alt+E")});
  rows.append({common::Tr("paint", "Put a paste in place"), common::Tr("paint", "Enter")});
  rows.append(
      {common::Tr("paint", "Drop the selection or a paste"), common::Tr("paint", "Escape")});
  rows.append({common::Tr("paint", "Scroll the picture"), common::Tr("paint", "Mouse wheel")});
  rows.append({common::Tr("paint", "Scroll across"), common::Tr("paint", "Shift+Mouse wheel")});
  rows.append(
      {common::Tr("paint", "Zoom about the pointer"), common::Tr("paint", "Ctrl+Mouse wheel")});
  rows.append({common::Tr("paint", "Move about the picture (canvas focused)"),
               common::Tr("paint",
                          "Arrow keys, Page Up, Page Down, Home, End, Ctrl+Home, "
                          "Ctrl+End")});
  common::ShowShortcuts(&form_, rows);
}

void Sketchly::ShowAbout() {
  common::ShowAbout(&form_, common::ToQString(form_.Caption()),
                    common::Tr("paint",
                               "A drawing program: ten tools, a palette of twenty colours, undo, "
                               "the clipboard and image files at their own size."));
}

void Sketchly::ShowAboutQt() {
  QApplication::aboutQt();
}

}  // namespace paint
