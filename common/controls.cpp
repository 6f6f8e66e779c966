#include "common/controls.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "common/text.h"

namespace common {
namespace {

// Free space kept on each side of a caption, in pixels.
constexpr int kCaptionMargin = 2;

}  // namespace

Label::Label(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
}

void Label::SetCaption(std::string_view caption) {
  if (caption == caption_) return;
  caption_.assign(caption);
  setText(ToQString(caption));
  if (onChanged) onChanged(caption_);
}

// Where QLabel puts its text: inside the margin, and the indent on the side
// the text is aligned to.
QRect Label::TextRoom() const {
  QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  const int indent = this->indent() >= 0
                         ? this->indent()
                         : (frameWidth() > 0 ? fontMetrics().horizontalAdvance(u'x') / 2 : 0);
  if (alignment() & Qt::AlignRight) room.setRight(room.right() - indent);
  if (alignment() & Qt::AlignLeft) room.setLeft(room.left() + indent);
  return room;
}

QString Label::ShownText() const {
  const QFontMetrics metrics = fontMetrics();
  if (wordWrap() || text().contains(u'\n') ||
      metrics.horizontalAdvance(text()) <= TextRoom().width())
    return text();
  return metrics.elidedText(text(), alignment() & Qt::AlignRight ? Qt::ElideLeft : Qt::ElideRight,
                            TextRoom().width());
}

void Label::paintEvent(QPaintEvent* event) {
  const QString shown = ShownText();
  if (shown == text()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  drawFrame(&painter);
  painter.drawText(TextRoom(), static_cast<int>(alignment()), shown);
}

int CommandButton::CaptionRoom() const {
  QStyleOptionButton option;
  initStyleOption(&option);
  return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).width() -
         2 * kCaptionMargin;
}

// Same face, size and weight: only the letters come closer together, and only
// on a caption that would otherwise run over the button's edges.
QFont CommandButton::CaptionFont() const {
  QFont caption = font();
  const int room = CaptionRoom();
  for (int spacing = 100; spacing > 70 && QFontMetricsF(caption).horizontalAdvance(text()) > room;
       spacing -= 2) {
    caption.setLetterSpacing(QFont::PercentageSpacing, spacing - 2);
  }
  return caption;
}

void CommandButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QFont caption = CaptionFont();
  painter.setFont(caption);
  option.fontMetrics = QFontMetrics(caption);
  painter.drawControl(QStyle::CE_PushButton, option);
}

}  // namespace common
