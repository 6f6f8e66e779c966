#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include "paint/tools/tool.h"

class QPainter;

namespace paint {

// A click places a text cursor; typing (an input method's text too) shows
// the text live in the current colour and the settings' font. Until it is
// set down (Escape, a click outside it, another tool or a command on the
// picture) it can be dragged, edited, and take another colour or font;
// then its pixels go into the picture as one step.
class TextTool : public Tool {
 public:
  explicit TextTool(ToolContext& context);
  QString Description() const override;
  Qt::CursorShape Pointer() const override { return Qt::IBeamCursor; }
  void Press(QPoint at) override;
  void Drag(QPoint at) override;
  void Release() override;
  void Settle() override;

  bool TakesKey(const QKeyEvent& key) const override;
  void Key(QKeyEvent& key) override;
  bool Typing() const override { return editing_; }
  void InputMethod(QInputMethodEvent& event) override;
  QVariant InputMethodQuery(Qt::InputMethodQuery query) const override;
  void ColourChanged() override;

  // What is being typed, and where the cursor is in it (for a test).
  const QString& Text() const { return text_; }
  int Cursor() const { return cursor_; }

 private:
  // The next or previous place between two characters as a reader sees them.
  static int Boundary(const QString& text, int from, bool forward);
  QFont Font() const;
  QStringList Lines() const;  // as shown, with what the input method composes
  // The line and column of a position in the text, and back.
  QPoint LineAndColumn(int position) const;
  int Position(int line, int column) const;
  // Picture pixels the text covers (a margin for italic and accents), and
  // the cursor's.
  QRect Box() const;
  QRect CursorBox() const;
  int Nearest(QPoint at) const;
  void PaintText(QPainter& painter) const;
  void Paint(QPainter& painter) const;
  void Insert(const QString& text);
  void Changed(const QRect& before);
  void MoveCursor(int position);

  bool editing_ = false;
  QPoint at_;  // the top left of the first line
  QString text_;
  int cursor_ = 0;
  QString preedit_;
  int preeditCursor_ = 0;
  // A press inside the text drags it; without a move, it places the cursor.
  bool holding_ = false;
  bool moved_ = false;
  QPoint grab_, pressed_;
};

}  // namespace paint
