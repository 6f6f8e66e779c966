#include "common/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

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

std::function<void()>& BeepHook() {
  static std::function<void()> hook;
  return hook;
}

// Room for the window manager's icon and buttons beside a title: about four
// title-bar buttons, in the title's own height.
constexpr double kTitleBarRoomInLines = 6.5;

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int MsgBox(QWidget* owner, std::string_view prompt, int buttons, std::string_view title,
           std::string_view explanation) {
  if (MessageHook())
    return MessageHook()(
        {owner, std::string(prompt), buttons, std::string(title), std::string(explanation)});
  QMessageBox box(QMessageBox::NoIcon, ToQString(title), ToQString(prompt), QMessageBox::Ok, owner);
  if (!explanation.empty()) box.setInformativeText(ToQString(explanation));
  // QMessageBox sizes itself to its text alone, which can leave its title cut
  // short; a spacer across the bottom row widens it.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    grid->addItem(new QSpacerItem(TitleBarWidth(owner, title), 0, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  box.exec();
  return kOkAnswer;
}

int TitleBarWidth(QWidget* owner, std::string_view title) {
  const QFontMetrics metrics(owner ? QApplication::font(owner) : QApplication::font());
  return metrics.horizontalAdvance(ToQString(title)) +
         static_cast<int>(kTitleBarRoomInLines * metrics.height());
}

void Beep() {
  if (BeepHook()) {
    BeepHook()();
    return;
  }
  QApplication::beep();
}

void SetBeepHook(std::function<void()> hook) {
  BeepHook() = std::move(hook);
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
