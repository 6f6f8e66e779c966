#pragma once

#include <QRect>

#include "paint/image/marks.h"
#include "paint/tools/tool.h"

class QPainter;

namespace paint {

// Press, drag with a preview, release: a shape in the current colour at the
// width and style of the settings. Shift keeps a line to 45° steps and a
// box square. The finished shape is one step named after the tool.
class ShapeTool : public Tool {
 public:
  ShapeTool(ToolContext& context, Shape shape);
  void Press(QPoint at) override;
  void Drag(QPoint at) override;
  void Release() override;
  void Settle() override;

 protected:
  // The step's name.
  virtual QString Name() const = 0;

 private:
  MarkPen Pen() const;
  QRect Bounds() const;
  void Paint(QPainter& painter) const;

  Shape shape_;
  bool dragging_ = false;
  QPoint from_, to_;
};

class LineTool : public ShapeTool {
 public:
  explicit LineTool(ToolContext& context) : ShapeTool(context, Shape::kLine) {}
  QString Description() const override;

 protected:
  QString Name() const override;
};

class ArrowTool : public ShapeTool {
 public:
  explicit ArrowTool(ToolContext& context) : ShapeTool(context, Shape::kArrow) {}
  QString Description() const override;

 protected:
  QString Name() const override;
};

class RectangleTool : public ShapeTool {
 public:
  explicit RectangleTool(ToolContext& context) : ShapeTool(context, Shape::kRectangle) {}
  QString Description() const override;

 protected:
  QString Name() const override;
};

class EllipseTool : public ShapeTool {
 public:
  explicit EllipseTool(ToolContext& context) : ShapeTool(context, Shape::kEllipse) {}
  QString Description() const override;

 protected:
  QString Name() const override;
};

}  // namespace paint
