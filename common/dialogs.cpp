#include "common/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSpacerItem>
#include <QTreeView>
#include <algorithm>
#include <utility>

#include "common/i18n.h"
#include "common/text.h"

namespace common {
namespace {

// A window's own dialogs, kept as a child of it.
class DialogsHolder : public QObject {
 public:
  DialogsHolder(QWidget& window, std::shared_ptr<Dialogs> dialogs)
      : QObject(&window), dialogs_(std::move(dialogs)) {}
  Dialogs& Get() const { return *dialogs_; }

 private:
  std::shared_ptr<Dialogs> dialogs_;
};

// Room for the window manager's icon and buttons beside a title: about four
// title-bar buttons, in the title's own height.
constexpr double kTitleBarRoomInLines = 6.5;
constexpr double kTitleFontScale = 1.2;
// An explanation reads best in lines of about this many characters.
constexpr int kExplanationColumns = 45;
// A file dialog's size, in average characters and lines.
constexpr int kFileDialogColumns = 120;
constexpr int kFileDialogLines = 32;

// The holder among a widget's children; qobject_cast (and so findChild)
// knows only classes that moc has seen.
DialogsHolder* HolderOf(const QWidget& widget) {
  for (QObject* child : widget.children())
    if (auto* holder = dynamic_cast<DialogsHolder*>(child)) return holder;
  return nullptr;
}

}  // namespace

int TitleBarWidth(const QWidget& window) {
  // Window managers draw titles larger and bolder than the window's text.
  QFont font = window.font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * kTitleFontScale);
  const QFontMetrics metrics(font);
  return metrics.horizontalAdvance(window.windowTitle()) +
         static_cast<int>(kTitleBarRoomInLines * metrics.height());
}

Dialogs& DialogsOf(const QWidget* widget) {
  for (; widget; widget = widget->parentWidget())
    if (const DialogsHolder* holder = HolderOf(*widget)) return holder->Get();
  static Dialogs real;
  return real;
}

void SetDialogs(QWidget& window, std::shared_ptr<Dialogs> dialogs) {
  delete HolderOf(window);
  new DialogsHolder(window, std::move(dialogs));
}

int MsgBox(QWidget* owner, std::string_view prompt, int buttons, std::string_view title,
           std::string_view explanation) {
  return DialogsOf(owner).MessageBox(
      {owner, std::string(prompt), buttons, std::string(title), std::string(explanation)});
}

int Dialogs::MessageBox(const MessageBoxRequest& request) {
  QWidget* owner = request.owner;
  const std::string_view prompt = request.prompt, title = request.title,
                         explanation = request.explanation;
  const int buttons = request.buttons;
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
  } else if ((buttons & 15) == kOverwriteSaveAsCancel) {
    // Overwrite as Yes, Save As as No: the safe answers are the easy ones.
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::Cancel);
  }
  // Questions answer to access keys in every language: Qt's own button
  // texts have none in English.
  const std::pair<QMessageBox::StandardButton, const char*> keyed[] = {
      {QMessageBox::Save, QT_TRANSLATE_NOOP("common", "&Save")},
      {QMessageBox::Discard, QT_TRANSLATE_NOOP("common", "&Discard")},
      {QMessageBox::Cancel, QT_TRANSLATE_NOOP("common", "&Cancel")},
      {QMessageBox::Yes, QT_TRANSLATE_NOOP("common", "&Yes")},
      {QMessageBox::No, QT_TRANSLATE_NOOP("common", "&No")},
  };
  for (const auto& [which, text] : keyed)
    if (QAbstractButton* button = box.button(which)) button->setText(Tr("common", text));
  if ((buttons & 15) == kOverwriteSaveAsCancel) {
    box.button(QMessageBox::Yes)->setText(Tr("common", "&Overwrite"));
    box.button(QMessageBox::No)->setText(Tr("common", "Save &As..."));
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
  return DialogsOf(request.owner).ChooseFile(request);
}

std::optional<std::string> Dialogs::ChooseFile(const FileDialogRequest& request) {
  QFileDialog dialog(request.owner, ToQString(request.title), ToQString(request.start),
                     ToQString(request.filters));
  const bool open = request.mode == FileDialogMode::kOpen;
  dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(ToQString(request.defaultSuffix));
  if (!request.filter.empty()) dialog.selectNameFilter(ToQString(request.filter));
  if (request.chosenFilter) {
    // A name typed without a suffix is saved as the type chosen.
    const auto suffixOf = [](const QString& filter) {
      const qsizetype star = filter.indexOf(QStringLiteral("(*."));
      if (star < 0) return QString();
      QString suffix = filter.mid(star + 3);
      return suffix.left(suffix.indexOf(QRegularExpression(QStringLiteral("[ )]"))));
    };
    const auto follow = [&dialog, suffixOf](const QString& filter) {
      if (const QString suffix = suffixOf(filter); !suffix.isEmpty())
        dialog.setDefaultSuffix(suffix);
    };
    follow(dialog.selectedNameFilter());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
  }
  // Room for every column in any language: name, size, type and date.
  const QFontMetrics metrics = dialog.fontMetrics();
  dialog.resize(
      QSize(metrics.averageCharWidth() * kFileDialogColumns, metrics.height() * kFileDialogLines)
          .boundedTo(dialog.screen()->availableSize()));
  if (auto* details = dialog.findChild<QTreeView*>()) {
    QHeaderView* header = details->header();
    for (int column = 1; column < header->count(); ++column)
      header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setStretchLastSection(false);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  if (request.chosenFilter) *request.chosenFilter = dialog.selectedNameFilter().toStdString();
  return dialog.selectedFiles().front().toStdString();
}

void Beep(QWidget* owner) {
  DialogsOf(owner).Beep(owner);
}

void Dialogs::Beep(QWidget* /*owner*/) {
  QApplication::beep();
}

std::optional<Colour> Dialogs::ChooseColour(QWidget* owner, Colour current) {
  const QColor picked = QColorDialog::getColor(QColor(ResolveColour(current)), owner);
  if (!picked.isValid()) return std::nullopt;
  return ColourFromRgb(picked.red(), picked.green(), picked.blue());
}

void CommonDialog::ShowColor() {
  if (const std::optional<Colour> chosen = DialogsOf(owner_).ChooseColour(owner_, color_))
    color_ = *chosen;
}

}  // namespace common
