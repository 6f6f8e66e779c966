#pragma once

#include <QObject>

#include "paint/commands/workbench.h"

class QLabel;

namespace paint {

// The caption, which names the file and marks unsaved changes, and the
// status bar's picture size and zoom, as the document and the view change.
class WindowStatus : public QObject {
 public:
  explicit WindowStatus(const Workbench& bench);

 private:
  void ShowCaption();
  void ShowSizeAndZoom();

  Workbench bench_;
  QLabel* size_;
  QLabel* zoom_;
};

}  // namespace paint
