#include "paint/tools/tool_box.h"

#include "common/i18n.h"
#include "common/picture_box.h"
#include "paint/document/document.h"
#include "paint/form1.h"
#include "paint/tool_buttons.h"

namespace paint {
namespace {

// The window's own tool number that draws nothing, and its pointers.
constexpr int16_t kMoveToolNumber = 1;
constexpr int16_t kArrowPointer = 1;
constexpr int16_t kCrossPointer = 2;

// What a press of each of the window's own tools makes, by tool number - 1.
constexpr const char* kOwnToolSteps[] = {
    QT_TRANSLATE_NOOP("paint", "Move"),          QT_TRANSLATE_NOOP("paint", "Freehand"),
    QT_TRANSLATE_NOOP("paint", "Line"),          QT_TRANSLATE_NOOP("paint", "Circle"),
    QT_TRANSLATE_NOOP("paint", "Eraser"),        QT_TRANSLATE_NOOP("paint", "Rectangle"),
    QT_TRANSLATE_NOOP("paint", "Clear"),         QT_TRANSLATE_NOOP("paint", "Filled Rectangle"),
    QT_TRANSLATE_NOOP("paint", "Filled Circle"), QT_TRANSLATE_NOOP("paint", "Brush"),
};

QString OwnToolStep(int16_t toolMode) {
  return toolMode >= 1 && toolMode <= 10 ? common::Tr("paint", kOwnToolSteps[toolMode - 1])
                                         : QString();
}

QPoint PixelAt(float x, float y) {
  return {common::PictureBox::ToPixel(x), common::PictureBox::ToPixel(y)};
}

}  // namespace

ToolBox::ToolBox(Form1& form, Document& document)
    : QObject(&form), form_(form), document_(document) {
  // A press of the window's own tools is a step from before its handler to
  // after the release's; so is a click of the clear button.
  form.canvasPressed.Add([this](common::HandlerCall::Phase phase) {
    if (phase == common::HandlerCall::kBefore && !active_)
      document_.BeginGesture(OwnToolStep(form_.toolMode));
  });
  form.canvasReleased.Add([this](common::HandlerCall::Phase phase) {
    if (phase != common::HandlerCall::kBefore && !active_) document_.EndGesture();
  });
  form.toolClicked.Add([this](int16_t index, common::HandlerCall::Phase phase) {
    if (phase == common::HandlerCall::kBefore && active_) {
      // A tool button takes over before its handler runs.
      Settle();
      active_ = before_ = nullptr;
    }
    if (index != kClear) return;
    if (phase == common::HandlerCall::kBefore) {
      document_.BeginGesture(OwnToolStep(kClear + 1));
    } else {
      document_.EndGesture();
    }
  });
  common::PictureBox& canvas = form.Canvas();
  // After the window's own handlers, inside the window's frame like them.
  canvas.mouseDown.Add([this](int16_t button, int16_t, float x, float y) {
    if (!active_ || button != common::PictureBox::kLeftButton) return;
    form_.Run([&] {
      pressed_ = true;
      active_->Press(PixelAt(x, y));
    });
  });
  canvas.mouseMove.Add([this](int16_t button, int16_t, float x, float y) {
    if (pressed_ && active_ && (button & common::PictureBox::kLeftButton))
      form_.Run([&] { active_->Drag(PixelAt(x, y)); });
  });
  canvas.mouseUp.Add([this](int16_t, int16_t, float, float) {
    if (!pressed_) return;
    pressed_ = false;
    form_.Run([&] {
      if (active_) active_->Release();
      document_.EndGesture();
    });
  });
}

ToolBox::~ToolBox() = default;

common::PictureBox& ToolBox::Canvas() {
  return form_.Canvas();
}

common::Colour ToolBox::Colour() const {
  return form_.curColor;
}

void ToolBox::SetColour(common::Colour colour) {
  // As a palette swatch's click shows its colour.
  form_.curColor = colour;
  form_.ColourSwatch().SetBackColor(colour);
}

void ToolBox::Settle() {
  if (active_) active_->Settle();
  document_.SettleSelection();
}

void ToolBox::SuspendOwnTool() {
  ownTool_ = form_.toolMode;
  ownDescription_ = form_.Description().Caption();
  ownPointer_ = form_.Canvas().MousePointer();
  form_.toolMode = kMoveToolNumber;
}

void ToolBox::ResumeOwnTool() {
  form_.toolMode = ownTool_;
  form_.Description().SetCaption(ownDescription_);
  form_.Canvas().SetMousePointer(ownPointer_);
}

void ToolBox::Choose(Tool* tool) {
  if (tool == active_) return;
  if (active_) active_->Settle();
  if (!tool || !tool->KeepsSelection()) document_.SettleSelection();
  if (!active_) SuspendOwnTool();
  before_ = active_;
  active_ = tool;
  pressed_ = false;
  if (!tool) {
    ResumeOwnTool();
    return;
  }
  form_.Description().SetCaption(tool->Description().toStdString());
  common::PictureBox& canvas = form_.Canvas();
  canvas.SetMousePointer(tool->Pointer() == Qt::CrossCursor ? kCrossPointer : kArrowPointer);
  canvas.setCursor(tool->Pointer());
}

void ToolBox::ReturnToToolBefore() {
  Tool* back = before_;
  before_ = nullptr;
  Choose(back);
}

}  // namespace paint
