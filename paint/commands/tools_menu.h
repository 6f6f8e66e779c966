#pragma once

#include <QList>
#include <QObject>

#include "common/help.h"
#include "paint/commands/workbench.h"

namespace paint {

// Tools: the tools beside the window's own buttons.
class ToolsMenu : public QObject {
 public:
  explicit ToolsMenu(const Workbench& bench);

  void SelectTool();
  void PickTool();
  void FillTool();
  QList<common::ShortcutRow> ShortcutRows() const;

 private:
  Workbench bench_;
};

}  // namespace paint
