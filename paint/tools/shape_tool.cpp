#include "paint/tools/shape_tool.h"

#include <QPainter>

#include "common/i18n.h"
#include "common/picture_box.h"
#include "paint/document/document.h"
#include "paint/tools/mark_settings.h"

namespace paint {

ShapeTool::ShapeTool(ToolContext& context, Shape shape) : Tool(context), shape_(shape) {
  context.Canvas().paintOver.Add([this](QPainter& painter) { Paint(painter); });
}

MarkPen ShapeTool::Pen() const {
  return Context().Settings().Pen(common::ResolveColour(Context().Colour()));
}

QRect ShapeTool::Bounds() const {
  return dragging_ ? ShapeBounds(shape_, from_, to_, Pen()) : QRect();
}

void ShapeTool::Press(QPoint at) {
  from_ = to_ = at;
  dragging_ = true;
}

void ShapeTool::Drag(QPoint at) {
  if (!dragging_) return;
  const QRect before = Bounds();
  to_ = Context().Shift() ? Constrained(shape_, from_, at) : at;
  Context().RepaintPicture(before | Bounds());
}

void ShapeTool::Release() {
  if (!dragging_) return;
  const QRect shown = Bounds();
  dragging_ = false;
  Context().RepaintPicture(shown);
  if (from_ == to_) return;  // a click draws nothing
  const MarkPen pen = Pen();
  Context().Doc().Edit(Name(), [&] {
    Context().Canvas().Modify([&](QImage& picture, const auto& keep) {
      keep(ShapeBounds(shape_, from_, to_, pen));
      return DrawShape(picture, shape_, from_, to_, pen);
    });
  });
}

void ShapeTool::Settle() {
  if (!dragging_) return;
  dragging_ = false;
  Context().Canvas().RepaintView();
}

void ShapeTool::Paint(QPainter& painter) const {
  if (dragging_) PaintShape(painter, shape_, from_, to_, Pen());
}

QString LineTool::Description() const {
  return common::Tr("paint", "Line: drag from one end to the other; Shift keeps it to 45° steps");
}
QString LineTool::Name() const {
  return common::Tr("paint", "Line");
}

QString ArrowTool::Description() const {
  return common::Tr("paint",
                    "Arrow: drag from its tail to where it points; Shift keeps it to 45° steps");
}
QString ArrowTool::Name() const {
  return common::Tr("paint", "Arrow");
}

QString RectangleTool::Description() const {
  return common::Tr("paint", "Rectangle: drag from corner to corner; Shift makes a square");
}
QString RectangleTool::Name() const {
  return common::Tr("paint", "Rectangle");
}

QString EllipseTool::Description() const {
  return common::Tr("paint", "Ellipse: drag across the box it fills; Shift makes a circle");
}
QString EllipseTool::Name() const {
  return common::Tr("paint", "Ellipse");
}

}  // namespace paint
