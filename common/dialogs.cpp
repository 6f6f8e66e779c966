#include "common/dialogs.h"

#include <QColorDialog>
#include <QMessageBox>

namespace common {
namespace {

MessageBoxHook& MessageHook() {
  static MessageBoxHook hook;
  return hook;
}

CommonDialog::ColorHook& ColourHook() {
  static CommonDialog::ColorHook hook;
  return hook;
}

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int MsgBox(QWidget* owner, std::string_view prompt, int buttons, std::string_view title) {
  if (MessageHook())
    return MessageHook()({owner, std::string(prompt), buttons, std::string(title)});
  QMessageBox box(QMessageBox::NoIcon, ToQString(title), ToQString(prompt), QMessageBox::Ok, owner);
  box.exec();
  return kOkAnswer;
}

void SetMessageBoxHook(MessageBoxHook hook) {
  MessageHook() = std::move(hook);
}

void CommonDialog::ShowColor() {
  std::optional<Colour> chosen;
  if (ColourHook()) {
    chosen = ColourHook()(owner_, color_);
  } else {
    const QRgb current = ResolveColour(color_);
    const QColor picked = QColorDialog::getColor(QColor(current), owner_);
    if (picked.isValid()) chosen = ColourFromRgb(picked.red(), picked.green(), picked.blue());
  }
  if (chosen) color_ = *chosen;
}

void CommonDialog::SetColorHook(ColorHook hook) {
  ColourHook() = std::move(hook);
}

}  // namespace common
