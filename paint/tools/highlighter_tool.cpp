#include "paint/tools/highlighter_tool.h"

#include "common/i18n.h"
#include "common/picture_box.h"
#include "paint/document/document.h"
#include "paint/tools/mark_settings.h"

namespace paint {
namespace {

QPointF Centre(QPoint pixel) {
  return {pixel.x() + 0.5, pixel.y() + 0.5};
}

}  // namespace

QString HighlighterTool::Description() const {
  return common::Tr("paint", "Highlighter: drag over what to mark in the current colour");
}

void HighlighterTool::Press(QPoint at) {
  const MarkSettings& settings = Context().Settings();
  Context().Doc().BeginGesture(common::Tr("paint", "Highlighter"));
  stroke_.emplace(common::ResolveColour(Context().Colour()), settings.width, settings.smooth);
  last_ = at;
  StrokeTo(at);
}

void HighlighterTool::Drag(QPoint at) {
  if (stroke_ && at != last_) StrokeTo(at);
}

void HighlighterTool::StrokeTo(QPoint at) {
  const QPoint from = last_;
  last_ = at;
  Context().Canvas().Modify([&](QImage& picture, const auto& keep) {
    return stroke_->Add(picture, Centre(from), Centre(at), keep);
  });
}

void HighlighterTool::Release() {
  // The tool box ends the press's step.
  stroke_.reset();
}

void HighlighterTool::Settle() {
  // Another tool mid-stroke: the stroke so far is the step.
  if (!stroke_) return;
  stroke_.reset();
  Context().Doc().EndGesture();
}

}  // namespace paint
