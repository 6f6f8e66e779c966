#include "paint/tools/text_tool.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBoundaryFinder>

#include "common/picture_box.h"
#include "paint/tools/mark_settings.h"

// The text tool's typing: keys, the clipboard's text and input methods.
namespace paint {
namespace {

bool IsPaste(const QKeyEvent& key) {
  return key.matches(QKeySequence::Paste);
}

// A key that types: text of its own, without Ctrl or Alt (both together are
// AltGr on some desktops).
bool Types(const QKeyEvent& key) {
  const QString text = key.text();
  if (text.isEmpty() || !text.front().isPrint()) return false;
  const Qt::KeyboardModifiers mods = key.modifiers();
  const bool control = mods & Qt::ControlModifier, alt = mods & Qt::AltModifier;
  return control == alt && !(mods & Qt::MetaModifier);
}

}  // namespace

int TextTool::Boundary(const QString& text, int from, bool forward) {
  QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
  finder.setPosition(from);
  const qsizetype to = forward ? finder.toNextBoundary() : finder.toPreviousBoundary();
  return to < 0 ? from : static_cast<int>(to);
}

bool TextTool::TakesKey(const QKeyEvent& key) const {
  if (!editing_) return false;
  if (Types(key)) return true;
  if (IsPaste(key)) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
  }
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  switch (key.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      return true;
    default:
      return false;
  }
}

void TextTool::Insert(const QString& text) {
  const QRect before = Box();
  text_.insert(cursor_, text);
  cursor_ += static_cast<int>(text.size());
  Changed(before);
}

void TextTool::MoveCursor(int position) {
  const QRect before = Box();
  cursor_ = std::clamp(position, 0, static_cast<int>(text_.size()));
  Changed(before);
}

void TextTool::Key(QKeyEvent& key) {
  if (IsPaste(key)) {
    QString pasted = QGuiApplication::clipboard()->text();
    pasted.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    pasted.replace(u'\t', u' ');
    Insert(pasted);
    return;
  }
  const QPoint place = LineAndColumn(cursor_);
  switch (key.key()) {
    case Qt::Key_Backspace:
      if (cursor_ > 0) {
        const QRect before = Box();
        const int from = Boundary(text_, cursor_, false);
        text_.remove(from, cursor_ - from);
        cursor_ = from;
        Changed(before);
      }
      return;
    case Qt::Key_Delete:
      if (cursor_ < text_.size()) {
        const QRect before = Box();
        text_.remove(cursor_, Boundary(text_, cursor_, true) - cursor_);
        Changed(before);
      }
      return;
    case Qt::Key_Left:
      MoveCursor(Boundary(text_, cursor_, false));
      return;
    case Qt::Key_Right:
      MoveCursor(Boundary(text_, cursor_, true));
      return;
    case Qt::Key_Up:
    case Qt::Key_Down: {
      const int line = place.y() + (key.key() == Qt::Key_Up ? -1 : 1);
      if (line < 0 || line > text_.count(u'\n')) return;
      // The place nearest the same distance across.
      const QFontMetricsF metrics(Font());
      const double across =
          metrics.horizontalAdvance(text_.split(u'\n').value(place.y()).left(place.x()));
      MoveCursor(Nearest(QPoint(at_.x() + static_cast<int>(std::lround(across)),
                                at_.y() + static_cast<int>((line + 0.5) * metrics.lineSpacing()))));
      return;
    }
    case Qt::Key_Home:
      MoveCursor(cursor_ - place.x());
      return;
    case Qt::Key_End:
      MoveCursor(Position(place.y(), static_cast<int>(text_.size())));
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Insert(QStringLiteral("\n"));
      return;
    case Qt::Key_Escape:
      Settle();
      return;
    default:
      Insert(key.text());
  }
}

void TextTool::InputMethod(QInputMethodEvent& event) {
  if (!editing_) return;
  const QRect before = Box();
  if (!event.commitString().isEmpty() || event.replacementLength() > 0) {
    const int start =
        std::clamp(cursor_ + event.replacementStart(), 0, static_cast<int>(text_.size()));
    const int length = std::min(event.replacementLength(), static_cast<int>(text_.size()) - start);
    text_.replace(start, length, event.commitString());
    cursor_ = start + static_cast<int>(event.commitString().size());
  }
  preedit_ = event.preeditString();
  preeditCursor_ = static_cast<int>(preedit_.size());
  for (const QInputMethodEvent::Attribute& attribute : event.attributes())
    if (attribute.type == QInputMethodEvent::Cursor)
      preeditCursor_ = std::clamp(attribute.start, 0, static_cast<int>(preedit_.size()));
  Changed(before);
}

QVariant TextTool::InputMethodQuery(Qt::InputMethodQuery query) const {
  const QPoint place = LineAndColumn(cursor_);
  switch (query) {
    case Qt::ImEnabled:
      return editing_;
    case Qt::ImCursorRectangle: {
      // In the canvas's own coordinates, for the input method's window.
      const common::PictureBox& canvas = Context().Canvas();
      const QRect cursor = CursorBox();
      const double zoom = canvas.Zoom();
      return QRectF(cursor.x() * zoom, cursor.y() * zoom, std::max(zoom, 1.0),
                    cursor.height() * zoom)
          .translated(QPointF(canvas.contentsRect().topLeft() - canvas.Origin()));
    }
    case Qt::ImFont:
      return Font();
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
      return place.x();
    case Qt::ImSurroundingText:
      return text_.split(u'\n').value(place.y());
    case Qt::ImCurrentSelection:
      return QString();
    case Qt::ImAbsolutePosition:
      return cursor_;
    case Qt::ImHints:
      return static_cast<int>(Qt::ImhMultiLine);
    default:
      return {};
  }
}

}  // namespace paint
