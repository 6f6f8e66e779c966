#include "common/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <algorithm>

#include "common/i18n.h"
#include "common/text.h"

namespace common {
namespace {

MessageBoxHook& MessageHook() {
  static MessageBoxHook hook;
  return hook;
}

FileDialogHook& FileHook() {
  static FileDialogHook hook;
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
// An explanation reads best in lines of about this many characters.
constexpr int kExplanationColumns = 45;

// The width a box needs for its title bar, in pixels.
int TitleBarWidth(const QWidget& box) {
  const QFontMetrics metrics = box.fontMetrics();
  return metrics.horizontalAdvance(box.windowTitle()) +
         static_cast<int>(kTitleBarRoomInLines * metrics.height());
}

}  // namespace

int MsgBox(QWidget* owner, std::string_view prompt, int buttons, std::string_view title,
           std::string_view explanation) {
  if (MessageHook())
    return MessageHook()(
        {owner, std::string(prompt), buttons, std::string(title), std::string(explanation)});
  const int icon = buttons & (kCritical | kQuestion);
  QMessageBox box(icon == kCritical   ? QMessageBox::Critical
                  : icon == kQuestion ? QMessageBox::Question
                                      : QMessageBox::NoIcon,
                  ToQString(title), ToQString(prompt), QMessageBox::Ok, owner);
  QPushButton* recover = nullptr;
  if ((buttons & 15) == kSaveDiscardCancel) {
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
  } else if ((buttons & 15) == kYesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
  } else if ((buttons & 15) == kRecoverDiscard) {
    box.setStandardButtons(QMessageBox::Discard);
    recover = box.addButton(Tr("common", "&Recover"), QMessageBox::AcceptRole);
    box.setDefaultButton(recover);
    box.setEscapeButton(QMessageBox::Discard);
  }
  if (!explanation.empty()) box.setInformativeText(ToQString(explanation));
  // QMessageBox sizes itself to its text alone, which can leave its title cut
  // short and an explanation in a narrow column; a spacer across the bottom
  // row widens it.
  const int width = std::max(
      TitleBarWidth(box),
      explanation.empty() ? 0 : kExplanationColumns * box.fontMetrics().averageCharWidth());
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
  }
  const int answer = box.exec();
  if (recover && box.clickedButton() == recover) return kRecoverAnswer;
  switch (answer) {
    case QMessageBox::Save:
      return kSaveAnswer;
    case QMessageBox::Discard:
      return kDiscardAnswer;
    case QMessageBox::Yes:
      return kYesAnswer;
    case QMessageBox::No:
      return kNoAnswer;
    case QMessageBox::Cancel:
      return kCancelAnswer;
    default:
      return kOkAnswer;
  }
}

std::optional<std::string> ChooseFile(const FileDialogRequest& request) {
  if (FileHook()) return FileHook()(request);
  QFileDialog dialog(request.owner, ToQString(request.title), ToQString(request.start),
                     ToQString(request.filters));
  const bool open = request.mode == FileDialogMode::kOpen;
  dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(ToQString(request.defaultSuffix));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

void SetFileDialogHook(FileDialogHook hook) {
  FileHook() = std::move(hook);
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
