#include "common/controls.h"

#include <QFontMetricsF>
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
  changed(caption_);
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
