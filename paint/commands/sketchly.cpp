#include "paint/commands/sketchly.h"

#include "common/help_menu.h"
#include "common/i18n.h"

namespace paint {
// The menus are made in the order they stand in the menu bar.
Sketchly::Sketchly(Form1& form)
    : QObject(&form),
      form_(form),
      document_(form.Canvas()),
      tools_(*new ToolBox(form, document_)),
      bench_{form, document_, tools_},
      file_(*new FileMenu(bench_)),
      recent_(*new RecentFiles(bench_, file_)),
      print_(*new PrintMenu(bench_)),
      edit_(*new EditMenu(bench_)),
      view_(*new ViewMenu(bench_)),
      image_(*new ImageMenu(bench_)),
      adjust_(*new AdjustMenu(bench_)),
      toolsMenu_(*new ToolsMenu(bench_)) {
  common::AddHelpMenu(form, {QT_TRANSLATE_NOOP("menus", "&About Sketchly"),
                             common::Tr("paint",
                                        "A drawing program: ten tools, a palette of twenty "
                                        "colours, undo, the clipboard and image files at their "
                                        "own size."),
                             [this] { return ShortcutRows(); }});
  new WindowStatus(bench_);
}

Sketchly& Attach(Form1& form) {
  return *new Sketchly(form);
}

QList<common::ShortcutRow> Sketchly::ShortcutRows() {
  QList<common::ShortcutRow> rows;
  rows << file_.ShortcutRows() << print_.ShortcutRows() << edit_.ShortcutRows()
       << view_.ShortcutRows() << image_.ShortcutRows() << toolsMenu_.ShortcutRows();
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
  return rows;
}

}  // namespace paint
