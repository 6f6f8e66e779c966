#include "paint/tools/menu_tools.h"

#include "common/i18n.h"
#include "common/picture_box.h"
#include "paint/commands/sketchly.h"
#include "paint/document/selection.h"
#include "paint/form1.h"
#include "paint/image/image_ops.h"
#include "paint/tool_buttons.h"

namespace paint {
namespace {

// The window's own tool number that draws nothing.
constexpr int16_t kMoveToolNumber = kMove + 1;
constexpr int16_t kArrowPointer = 1;
constexpr int16_t kCrossPointer = 2;

QString Description(MenuTools::Tool tool) {
  switch (tool) {
    case MenuTools::kSelect:
      return common::Tr("paint", "Select: drag a rectangle; drag inside it to move what it holds");
    case MenuTools::kPick:
      return common::Tr("paint", "Pick Colour: click the picture to take its colour");
    case MenuTools::kFill:
      return common::Tr("paint",
                        "Fill: click an area of one colour to fill it with the current colour");
    case MenuTools::kNone:
      break;
  }
  return {};
}

QPoint PixelAt(float x, float y) {
  return {common::PictureBox::ToPixel(x), common::PictureBox::ToPixel(y)};
}

}  // namespace

MenuTools::MenuTools(Form1& form, Sketchly& sketchly, Selection& selection)
    : QObject(&form), form_(form), sketchly_(sketchly), selection_(selection) {
  common::PictureBox& canvas = form.GetPicture("Picture1");
  // After the window's own handlers, inside the window's frame like them.
  canvas.mouseDown.Add([this](int16_t button, int16_t, float x, float y) {
    if (active_ != kNone && button == common::PictureBox::kLeftButton)
      form_.Run([&] { Press(PixelAt(x, y)); });
  });
  canvas.mouseMove.Add([this](int16_t button, int16_t, float x, float y) {
    if (gesture_ != kIdle && (button & common::PictureBox::kLeftButton))
      form_.Run([&] { Drag(PixelAt(x, y)); });
  });
  canvas.mouseUp.Add([this](int16_t, int16_t, float, float) {
    if (gesture_ != kIdle) form_.Run([&] { Release(); });
  });
  // A tool button takes over before its handler runs.
  form.handlerCalls.Add([this](const common::HandlerCall& call) {
    if (call.control == "Command1" && call.phase == common::HandlerCall::kBefore &&
        active_ != kNone) {
      Settle();
      active_ = kNone;
    }
  });
}

void MenuTools::Choose(Tool tool) {
  if (tool == active_) return;
  if (tool != kSelect) Settle();
  common::Label& description = form_.GetLabel("lbldes");
  common::PictureBox& canvas = form_.GetPicture("Picture1");
  if (active_ == kNone) {
    ownTool_ = form_.toolMode;
    ownDescription_ = description.Caption();
    ownPointer_ = canvas.MousePointer();
  }
  before_ = active_;
  active_ = tool;
  if (tool == kNone) {
    form_.toolMode = ownTool_;
    description.SetCaption(ownDescription_);
    canvas.SetMousePointer(ownPointer_);
    return;
  }
  form_.toolMode = kMoveToolNumber;
  description.SetCaption(Description(tool).toStdString());
  canvas.SetMousePointer(tool == kSelect ? kCrossPointer : kArrowPointer);
  if (tool != kSelect) canvas.setCursor(tool == kPick ? Qt::PointingHandCursor : Qt::CrossCursor);
}

void MenuTools::Return() {
  const Tool back = before_;
  before_ = kNone;
  Choose(back);
}

void MenuTools::Settle() {
  if (selection_.Floating()) sketchly_.Change([&] { selection_.SetDown(); });
  selection_.Drop();
}

void MenuTools::Press(QPoint at) {
  common::PictureBox& canvas = form_.GetPicture("Picture1");
  if (active_ == kPick) {
    if (!canvas.InnerRect().contains(at)) return;
    const QRgb colour = canvas.Pixel(at.x(), at.y());
    // As a palette swatch's click shows its colour.
    form_.curColor = common::ColourFromRgb(qRed(colour), qGreen(colour), qBlue(colour));
    form_.GetPicture("Picture3").SetBackColor(form_.curColor);
    Return();
    return;
  }
  if (active_ == kFill) {
    if (!canvas.InnerRect().contains(at)) return;
    const QRgb colour = common::ResolveColour(form_.curColor);
    sketchly_.Change(
        [&] { canvas.Modify([&](QImage& picture) { return Fill(picture, at, colour); }); });
    return;
  }
  if (selection_.Active() && selection_.Area().contains(at)) {
    gesture_ = kMoving;
    from_ = at - selection_.Area().topLeft();
    if (!selection_.Floating()) {
      // The move is one step: from the lift to where the pixels are set down.
      sketchly_.History().Checkpoint();
      selection_.Lift(common::ResolveColour(canvas.BackColor()));
    }
    return;
  }
  Settle();
  gesture_ = kFraming;
  framed_ = false;
  from_ = at;
  selection_.Select(QRect(at, at));
}

void MenuTools::Drag(QPoint at) {
  if (gesture_ == kMoving) {
    selection_.MoveTo(at - from_);
  } else {
    framed_ = framed_ || at != from_;
    selection_.Select(QRect(from_, at));
  }
}

void MenuTools::Release() {
  const bool moved = gesture_ == kMoving;
  // A click without a drag only drops the selection.
  if (gesture_ == kFraming && !framed_) selection_.Drop();
  gesture_ = kIdle;
  // A paste floats until it is set down; moved pixels land at once.
  if (moved && selection_.Floating() && !selection_.Pasted()) {
    selection_.SetDown();
    sketchly_.History().Checkpoint();
  }
  sketchly_.Refresh();
}

}  // namespace paint
