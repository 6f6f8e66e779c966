#pragma once

#include <QPoint>
#include <optional>

#include "paint/image/marks.h"
#include "paint/tools/tool.h"

namespace paint {

// A marker: a stroke of the settings' width that darkens what it passes
// over by the current colour, drawn into the picture as the pointer moves;
// the stroke is one step.
class HighlighterTool : public Tool {
 public:
  using Tool::Tool;
  QString Description() const override;
  void Press(QPoint at) override;
  void Drag(QPoint at) override;
  void Release() override;
  void Settle() override;

 private:
  void StrokeTo(QPoint at);

  std::optional<MarkerStroke> stroke_;
  QPoint last_;
};

}  // namespace paint
