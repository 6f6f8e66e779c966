#include "paint/tools/tool_box.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>

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
      document_.History().LetGo();  // the clear makes a new picture
    } else {
      document_.EndGesture();
    }
  });
  // A new colour from the palette shows at once in what the tool holds,
  // and the canvas keeps the keyboard for the text being typed.
  form.handlerCalls.Add([this](const common::HandlerCall& call) {
    if (active_ && call.phase == common::HandlerCall::kAfter && call.control == "Picture2")
      active_->ColourChanged();
  });
  form.keys.Add([this](QKeyEvent& key) {
    if (!active_ || !active_->TakesKey(key)) return;
    active_->Key(key);
    key.accept();
  });
  form.installEventFilter(this);
  // Before the question about unsaved changes: a text being typed is set
  // down and counts as one.
  form.closing.Add([this](QCloseEvent&) { SettleTool(); });
  settings_.Load();
  common::PictureBox& canvas = form.Canvas();
  canvas.installEventFilter(this);
  // After the window's own handlers, inside the window's frame like them.
  canvas.mouseDown.Add([this](int16_t button, int16_t shift, float x, float y) {
    if (!active_ || button != common::PictureBox::kLeftButton) return;
    shift_ = (shift & common::PictureBox::kShiftMask) != 0;
    form_.Run([&] {
      pressed_ = true;
      active_->Press(PixelAt(x, y));
    });
  });
  canvas.mouseMove.Add([this](int16_t button, int16_t shift, float x, float y) {
    shift_ = (shift & common::PictureBox::kShiftMask) != 0;
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

void ToolBox::SettleTool() {
  if (active_) active_->Settle();
}

bool ToolBox::eventFilter(QObject* watched, QEvent* event) {
  if (!active_) return false;
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      // Accepted, the key comes as a key press instead of a shortcut.
      if (watched == &form_ && active_->TakesKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
      }
      return false;
    case QEvent::InputMethod:
      if (watched != &form_.Canvas() || !active_->Typing()) return false;
      form_.Run([&] { active_->InputMethod(*static_cast<QInputMethodEvent*>(event)); });
      event->accept();
      return true;
    case QEvent::InputMethodQuery: {
      if (watched != &form_.Canvas() || !active_->Typing()) return false;
      auto* query = static_cast<QInputMethodQueryEvent*>(event);
      for (int bit = 0; bit < 32; ++bit) {
        const auto one = static_cast<Qt::InputMethodQuery>(1U << bit);
        if (query->queries() & one) query->setValue(one, active_->InputMethodQuery(one));
      }
      query->accept();
      return true;
    }
    default:
      return false;
  }
}

void ToolBox::RepaintPicture(const QRect& pixels) {
  common::PictureBox& canvas = form_.Canvas();
  const double zoom = canvas.Zoom();
  const QRectF zoomed(pixels.x() * zoom, pixels.y() * zoom, pixels.width() * zoom,
                      pixels.height() * zoom);
  // The view begins at the inner area's top left; a device pixel's margin
  // covers rounding at fractional scales.
  canvas.update(zoomed.toAlignedRect()
                    .translated(canvas.contentsRect().topLeft() - canvas.Origin())
                    .adjusted(-2, -2, 2, 2) &
                canvas.contentsRect());
}

void ToolBox::TypingChanged() {
  common::PictureBox& canvas = form_.Canvas();
  const bool typing = active_ && active_->Typing();
  canvas.setAttribute(Qt::WA_InputMethodEnabled, typing);
  if (typing && !canvas.hasFocus()) canvas.setFocus();
  QGuiApplication::inputMethod()->update(Qt::ImQueryAll);
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
  TypingChanged();
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
