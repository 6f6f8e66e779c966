#pragma once

#include <QObject>
#include <QPoint>
#include <cstdint>
#include <string>

namespace paint {

class Form1;
class Selection;
class Sketchly;

// The tools chosen from the Tools menu rather than from a tool button:
// select, pick a colour, fill. While one is active the window's own canvas
// handlers act as for the move tool (they draw nothing and the readouts go
// on), the description label tells what the tool does, and a click on a
// tool button goes back to the window's own tools.
class MenuTools : public QObject {
 public:
  enum Tool { kNone, kSelect, kPick, kFill };

  MenuTools(Form1& form, Sketchly& sketchly, Selection& selection);

  void Choose(Tool tool);
  Tool Active() const { return active_; }
  // Ends what the select tool holds: floating pixels set down (one undo
  // step), no outline.
  void Settle();

 private:
  void Press(QPoint at);
  void Drag(QPoint at);
  void Release();
  // Back to the tool before: a menu tool, or the window's own.
  void Return();

  Form1& form_;
  Sketchly& sketchly_;
  Selection& selection_;
  Tool active_ = kNone;
  Tool before_ = kNone;  // what the picker returns to
  // The window's own tool, description and pointer, while a menu tool is
  // active.
  int16_t ownTool_ = 0;
  std::string ownDescription_;
  int16_t ownPointer_ = 0;
  // A press of the select tool: a new rectangle from its corner, or a move
  // of the selected pixels held at a point of them.
  enum { kIdle, kFraming, kMoving } gesture_ = kIdle;
  QPoint from_;
  bool framed_ = false;  // the pointer moved off the pixel it was pressed on
};

}  // namespace paint
