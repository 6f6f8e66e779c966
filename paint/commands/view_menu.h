#pragma once

#include <QList>
#include <QObject>

#include "common/help.h"
#include "paint/commands/workbench.h"

namespace paint {

// View: zoom in and out, actual size, the whole picture in the window. A
// new picture is shown at its size, or whole when it is larger.
class ViewMenu : public QObject {
 public:
  explicit ViewMenu(const Workbench& bench);

  void ZoomIn();
  void ZoomOut();
  void ActualSize();
  void FitInWindow();
  QList<common::ShortcutRow> ShortcutRows() const;

 private:
  Workbench bench_;
};

}  // namespace paint
