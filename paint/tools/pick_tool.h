#pragma once

#include "paint/tools/tool.h"

namespace paint {

// A click takes the colour under the pointer as the drawing colour; then
// the tool before comes back.
class PickTool : public Tool {
 public:
  using Tool::Tool;
  QString Description() const override;
  Qt::CursorShape Pointer() const override { return Qt::PointingHandCursor; }
  void Press(QPoint at) override;
};

}  // namespace paint
