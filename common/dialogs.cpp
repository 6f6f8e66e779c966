#include "common/dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

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

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int MsgBox(QWidget* owner, std::string_view prompt, int buttons, std::string_view title) {
  if (MessageHook())
    return MessageHook()({owner, std::string(prompt), buttons, std::string(title)});
  const int icon = buttons & (kCritical | kQuestion);
  QMessageBox box(icon == kCritical   ? QMessageBox::Critical
                  : icon == kQuestion ? QMessageBox::Question
                                      : QMessageBox::NoIcon,
                  ToQString(title), ToQString(prompt), QMessageBox::Ok, owner);
  if ((buttons & 15) == kSaveDiscardCancel) {
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
  }
  switch (box.exec()) {
    case QMessageBox::Save:
      return kSaveAnswer;
    case QMessageBox::Discard:
      return kDiscardAnswer;
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
