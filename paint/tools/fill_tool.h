#pragma once

#include "paint/tools/tool.h"

namespace paint {

// A click fills the 4-connected area of one colour with the current colour.
class FillTool : public Tool {
 public:
  using Tool::Tool;
  QString Description() const override;
  void Press(QPoint at) override;
};

}  // namespace paint
