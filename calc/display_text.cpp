#include "calc/display_text.h"

#include <QEvent>
#include <QPainter>

#include "common/controls.h"
#include "common/layout.h"

namespace calc {
namespace {

// Keeps the last digit off the display's right edge.
constexpr int kMarginTwips = 90;

// Where QLabel puts its right-aligned text: inside the margin and the indent.
QRect TextRoom(const common::Label& display) {
  const int margin = display.margin();
  return display.contentsRect().adjusted(margin, margin, -margin - display.indent(), -margin);
}

// Paints only a number too wide; the label paints any other.
class Elision : public QObject {
 public:
  explicit Elision(common::Label& display) : QObject(&display), display_(display) {}

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    const QString shown = ShownText(display_);
    if (shown == display_.text()) return false;
    QPainter painter(&display_);
    painter.drawText(TextRoom(display_), static_cast<int>(display_.alignment()), shown);
    return true;
  }

 private:
  common::Label& display_;
};

}  // namespace

void ShowDisplayText(common::Label& display) {
  display.setIndent(common::TwipsToPixels(kMarginTwips));
  display.installEventFilter(new Elision(display));
}

QString ShownText(const common::Label& display) {
  const QFontMetrics metrics = display.fontMetrics();
  const int room = TextRoom(display).width();
  const QString text = display.text();
  if (metrics.horizontalAdvance(text) <= room) return text;
  // A number being typed shows its last digits. A result (with its sign or
  // leading blank) must keep its sign, its leading digits and its exponent,
  // or it would read many times too large: digits go from the end of its
  // mantissa instead.
  const qsizetype point = text.indexOf(u'.');
  const qsizetype exponent = text.indexOf(u'E');
  // Typing gives digits and a point only; +1 and -1 give results without
  // the blank. A result without a point has all its digits in view anyway.
  const bool result = exponent >= 0 || text.startsWith(u' ') || text.startsWith(u'-');
  if (!result || point < 0) return metrics.elidedText(text, Qt::ElideLeft, room);
  const QString tail = QChar(0x2026) + (exponent < 0 ? QString() : text.mid(exponent));
  QString head = exponent < 0 ? text : text.left(exponent);
  while (head.size() > point + 2 && metrics.horizontalAdvance(head + tail) > room) head.chop(1);
  return head + tail;
}

}  // namespace calc
