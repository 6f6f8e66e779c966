#include "common/controls.h"

namespace common {

Label::Label(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
}

void Label::SetCaption(std::string_view caption) {
  if (caption == caption_) return;
  caption_.assign(caption);
  setText(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

}  // namespace common
