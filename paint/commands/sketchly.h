#pragma once

#include <QObject>
#include <QString>

#include "paint/commands/adjust_menu.h"
#include "paint/commands/edit_menu.h"
#include "paint/commands/file_menu.h"
#include "paint/commands/image_menu.h"
#include "paint/commands/print.h"
#include "paint/commands/recent_files.h"
#include "paint/commands/tools_menu.h"
#include "paint/commands/view_menu.h"
#include "paint/commands/window_status.h"
#include "paint/commands/workbench.h"
#include "paint/document/document.h"
#include "paint/form1.h"
#include "paint/tools/tool_box.h"

namespace paint {

// What Sketchly adds to the drawing window: the picture as a document, its
// tools, the menu bar (a piece per menu), the caption and the status bar.
// It belongs to the window.
class Sketchly : public QObject {
 public:
  explicit Sketchly(Form1& form);

  // Opens an image given at start. An unreadable one is reported and the
  // drawing stays new; false then.
  bool OpenAtStart(const QString& path, bool settleFirst = false) {
    return file_.OpenFile(path, settleFirst);
  }

  Document& Doc() { return document_; }
  ToolBox& Tools() { return tools_; }
  FileMenu& File() { return file_; }
  RecentFiles& Recent() { return recent_; }
  PrintMenu& Print() { return print_; }
  EditMenu& Edit() { return edit_; }
  ViewMenu& View() { return view_; }
  ImageMenu& Image() { return image_; }
  AdjustMenu& Adjust() { return adjust_; }
  ToolsMenu& ToolMenu() { return toolsMenu_; }

 private:
  // Help > Keyboard Shortcuts' lines, menu by menu, then the other keys.
  QList<common::ShortcutRow> ShortcutRows();

  Form1& form_;
  Document document_;
  ToolBox& tools_;
  Workbench bench_;
  FileMenu& file_;
  RecentFiles& recent_;
  PrintMenu& print_;
  EditMenu& edit_;
  ViewMenu& view_;
  ImageMenu& image_;
  AdjustMenu& adjust_;
  ToolsMenu& toolsMenu_;
};

// Builds what Sketchly adds onto a drawing window.
Sketchly& Attach(Form1& form);

}  // namespace paint
