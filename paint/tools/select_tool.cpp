#include "paint/tools/select_tool.h"

#include "common/i18n.h"
#include "common/picture_box.h"
#include "paint/document/document.h"

namespace paint {

QString SelectTool::Description() const {
  return common::Tr("paint", "Select: drag a rectangle; drag inside it to move what it holds");
}

void SelectTool::Press(QPoint at) {
  Document& document = Context().Doc();
  Selection& selection = document.GetSelection();
  if (selection.Active() && selection.Area().contains(at)) {
    gesture_ = kMoving;
    from_ = at - selection.Area().topLeft();
    if (!selection.Floating()) {
      // The move is one step: from the lift to where the pixels are set down.
      document.BeginGesture(common::Tr("paint", "Move Selection"));
      selection.Lift(common::ResolveColour(Context().Canvas().BackColor()));
    }
    return;
  }
  document.SettleSelection();
  gesture_ = kFraming;
  framed_ = false;
  from_ = at;
  selection.Select(QRect(at, at));
}

void SelectTool::Drag(QPoint at) {
  Selection& selection = Context().Doc().GetSelection();
  if (gesture_ == kMoving) {
    selection.MoveTo(at - from_);
  } else if (gesture_ == kFraming) {
    framed_ = framed_ || at != from_;
    selection.Select(QRect(from_, at));
  }
}

void SelectTool::Release() {
  Selection& selection = Context().Doc().GetSelection();
  // A click without a drag only drops the selection.
  if (gesture_ == kFraming && !framed_) selection.Drop();
  // A paste floats until it is set down; moved pixels land at once, in the
  // gesture that lifted them.
  if (gesture_ == kMoving && selection.Floating() && !selection.Pasted()) selection.SetDown();
  gesture_ = kIdle;
}

}  // namespace paint
