#include "paint/tools/text_tool.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QInputMethod>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "common/i18n.h"
#include "common/picture_box.h"
#include "paint/document/document.h"
#include "paint/tools/mark_settings.h"

namespace paint {

TextTool::TextTool(ToolContext& context) : Tool(context) {
  context.Canvas().paintOver.Add([this](QPainter& painter) { Paint(painter); });
  // Another font or size shows at once on the text not yet set down.
  context.Settings().changed.Add([this] {
    if (editing_) Context().Canvas().RepaintView();
  });
}

QString TextTool::Description() const {
  return common::Tr("paint",
                    "Text: click and type; drag the text to move it; Escape or a click outside "
                    "sets it down");
}

QFont TextTool::Font() const {
  return Context().Settings().Font();
}

QStringList TextTool::Lines() const {
  QString shown = text_;
  shown.insert(cursor_, preedit_);
  return shown.split(u'\n');
}

QPoint TextTool::LineAndColumn(int position) const {
  const int line = static_cast<int>(text_.left(position).count(u'\n'));
  const int start = static_cast<int>(text_.lastIndexOf(u'\n', position - 1)) + 1;
  return {position - start, line};
}

int TextTool::Position(int line, int column) const {
  int start = 0;
  for (int i = 0; i < line; ++i) start = static_cast<int>(text_.indexOf(u'\n', start)) + 1;
  qsizetype end = text_.indexOf(u'\n', start);
  if (end < 0) end = text_.size();
  return std::min(start + column, static_cast<int>(end));
}

QRect TextTool::Box() const {
  const QFontMetricsF metrics(Font());
  double width = 0;
  const QStringList lines = Lines();
  for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
  const double margin = metrics.height() / 4 + 2;
  return QRectF(at_, QSizeF(width, metrics.lineSpacing() * static_cast<double>(lines.size())))
      .adjusted(-margin, -margin, margin, margin)
      .toAlignedRect();
}

QRect TextTool::CursorBox() const {
  const QFontMetricsF metrics(Font());
  const QPoint place = LineAndColumn(cursor_);
  const QString line = Lines().value(place.y());
  const double x = at_.x() + metrics.horizontalAdvance(line.left(place.x() + preeditCursor_));
  return QRectF(x, at_.y() + place.y() * metrics.lineSpacing(), 1, metrics.lineSpacing())
      .toAlignedRect();
}

// The position nearest a picture pixel inside the text.
int TextTool::Nearest(QPoint at) const {
  const QFontMetricsF metrics(Font());
  const QStringList lines = text_.split(u'\n');
  const int line = std::clamp(static_cast<int>((at.y() - at_.y()) / metrics.lineSpacing()), 0,
                              static_cast<int>(lines.size()) - 1);
  const QString& text = lines[line];
  int best = 0;
  double distance = std::abs(at.x() - at_.x() + 0.0);
  for (int column = Boundary(text, 0, true); column > 0 && column <= text.size();) {
    const double d = std::abs(at_.x() + metrics.horizontalAdvance(text.left(column)) - at.x());
    if (d < distance) {
      distance = d;
      best = column;
    }
    const int next = Boundary(text, column, true);
    if (next == column) break;
    column = next;
  }
  return Position(line, best);
}

void TextTool::PaintText(QPainter& painter) const {
  const QFont font = Font();
  const QFontMetricsF metrics(font);
  painter.setFont(font);
  painter.setPen(QColor::fromRgb(common::ResolveColour(Context().Colour())));
  const QStringList lines = Lines();
  for (qsizetype i = 0; i < lines.size(); ++i)
    painter.drawText(QPointF(at_.x(), at_.y() + metrics.ascent() +
                                          metrics.lineSpacing() * static_cast<double>(i)),
                     lines[i]);
}

void TextTool::Paint(QPainter& painter) const {
  if (!editing_) return;
  painter.save();
  PaintText(painter);
  // The cursor and a frame that shows the text is not set down yet, a
  // device pixel wide at any zoom.
  const QFontMetricsF metrics(Font());
  const QRect cursor = CursorBox();
  painter.setPen(QPen(QColor::fromRgb(common::ResolveColour(Context().Colour())), 0));
  painter.drawLine(QPointF(cursor.left(), cursor.top()),
                   QPointF(cursor.left(), cursor.bottom() + 1));
  if (!preedit_.isEmpty()) {
    // What the input method is composing is underlined.
    const QPoint place = LineAndColumn(cursor_);
    const QString line = Lines().value(place.y());
    const double from = at_.x() + metrics.horizontalAdvance(line.left(place.x()));
    const double to = at_.x() + metrics.horizontalAdvance(line.left(place.x() + preedit_.size()));
    const double y = at_.y() + (place.y() + 1) * metrics.lineSpacing() - 1;
    painter.drawLine(QPointF(from, y), QPointF(to, y));
  }
  QPen frame(Qt::gray, 0, Qt::DotLine);
  painter.setPen(frame);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(Box()));
  painter.restore();
}

void TextTool::Changed(const QRect& before) {
  Context().RepaintPicture(before | Box());
  QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImSurroundingText |
                                         Qt::ImCursorPosition);
}

void TextTool::Press(QPoint at) {
  if (editing_ && Box().contains(at)) {
    holding_ = true;
    moved_ = false;
    grab_ = at - at_;
    pressed_ = at;
    return;
  }
  if (editing_) {
    Settle();  // a click outside sets it down
    return;
  }
  const QFontMetricsF metrics(Font());
  // The click is the middle of the cursor's height.
  at_ = at - QPoint(0, static_cast<int>(metrics.lineSpacing() / 2));
  text_.clear();
  preedit_.clear();
  cursor_ = preeditCursor_ = 0;
  editing_ = true;
  Context().TypingChanged();
  Changed(QRect());
}

void TextTool::Drag(QPoint at) {
  if (!holding_ || at - grab_ == at_) return;
  const QRect before = Box();
  moved_ = true;
  at_ = at - grab_;
  Changed(before);
}

void TextTool::Release() {
  if (holding_ && !moved_) MoveCursor(Nearest(pressed_));
  holding_ = false;
}

void TextTool::Settle() {
  if (!editing_) return;
  QGuiApplication::inputMethod()->reset();  // may commit what it composes
  const QRect shown = Box();
  preedit_.clear();
  editing_ = holding_ = false;
  Context().TypingChanged();
  Context().RepaintPicture(shown);
  if (text_.trimmed().isEmpty()) return;
  Context().Doc().Edit(common::Tr("paint", "Text"), [&] {
    Context().Canvas().Modify([&](QImage& picture, const auto& keep) {
      keep(shown);
      QPainter painter(&picture);
      PaintText(painter);
      return shown;
    });
  });
}

void TextTool::ColourChanged() {
  if (!editing_) return;
  Context().RepaintPicture(Box());
  Context().Canvas().setFocus();  // typing goes on after a click on the palette
}

}  // namespace paint
