#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QVariant>
#include <Qt>

#include "common/colors.h"

class QInputMethodEvent;
class QKeyEvent;

namespace common {
class PictureBox;
}

namespace paint {

class Document;
class MarkSettings;

// What a tool reaches: the document it changes, the canvas it shows in
// (in picture pixels), and the current colour, to read or to set.
class ToolContext {
 public:
  virtual ~ToolContext() = default;
  virtual Document& Doc() = 0;
  virtual common::PictureBox& Canvas() = 0;
  virtual common::Colour Colour() const = 0;
  virtual void SetColour(common::Colour colour) = 0;
  // Goes back to the tool that was active before this one.
  virtual void ReturnToToolBefore() = 0;
  // Shift was held at the last press or move.
  virtual bool Shift() const = 0;
  // How marks are drawn: width, dashes, font...
  virtual MarkSettings& Settings() = 0;
  // Repaints the part of the view that shows these picture pixels.
  virtual void RepaintPicture(const QRect& pixels) = 0;
  // The tool began or stopped taking typed text (Typing changed).
  virtual void TypingChanged() = 0;
};

// One tool of the Tools menu. The tool box calls it with the left button's
// press, the pointer's moves while that button is held, and the release, at
// picture pixels (which may lie outside the picture). While one is active,
// the window's own canvas handlers act as for the move tool.
class Tool {
 public:
  explicit Tool(ToolContext& context) : context_(context) {}
  virtual ~Tool() = default;
  Tool(const Tool&) = delete;
  Tool& operator=(const Tool&) = delete;

  // What the description label says while the tool is active.
  virtual QString Description() const = 0;
  virtual Qt::CursorShape Pointer() const { return Qt::CrossCursor; }
  // Choosing it keeps the selection (and a paste) as they are.
  virtual bool KeepsSelection() const { return false; }
  virtual void Press(QPoint /*at*/) {}
  virtual void Drag(QPoint /*at*/) {}
  virtual void Release() {}
  // Finishes what the tool holds (a paste set down, say) before another
  // tool takes over or a command acts on the picture.
  virtual void Settle() {}

  // Typed keys, for a tool that takes text: whether it takes this key
  // (asked before the menus' shortcuts too), and the key.
  virtual bool TakesKey(const QKeyEvent& /*key*/) const { return false; }
  virtual void Key(QKeyEvent& /*key*/) {}
  // Text from an input method (dead keys, compose, Chinese), and what the
  // input method asks about the text being edited, while Typing.
  virtual bool Typing() const { return false; }
  virtual void InputMethod(QInputMethodEvent& /*event*/) {}
  virtual QVariant InputMethodQuery(Qt::InputMethodQuery /*query*/) const { return {}; }
  // The drawing colour changed while the tool is active.
  virtual void ColourChanged() {}

 protected:
  ToolContext& Context() const { return context_; }

 private:
  ToolContext& context_;
};

}  // namespace paint
