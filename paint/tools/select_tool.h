#pragma once

#include "paint/tools/tool.h"

namespace paint {

// Drag a rectangle to select it; drag inside the selection to move the
// pixels it holds. A click without a drag drops the selection.
class SelectTool : public Tool {
 public:
  using Tool::Tool;
  QString Description() const override;
  bool KeepsSelection() const override { return true; }
  void Press(QPoint at) override;
  void Drag(QPoint at) override;
  void Release() override;

 private:
  // A new rectangle from its corner, or a move of the selected pixels held
  // at a point of them.
  enum { kIdle, kFraming, kMoving } gesture_ = kIdle;
  QPoint from_;
  bool framed_ = false;  // the pointer moved off the pixel it was pressed on
};

}  // namespace paint
