#include "paint/commands/details_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "common/dialogs.h"
#include "common/i18n.h"

namespace paint {

std::optional<bool> AskRemoveDetails(QWidget* owner, const PhotoDetails& details) {
  QDialog dialog(owner);
  dialog.setWindowTitle(common::Tr("paint", "Photo Details"));
  auto* layout = new QVBoxLayout(&dialog);
  const QString what =
      details.located && details.personal
          ? common::Tr("paint", "This photo tells where it was taken and names people.")
      : details.located ? common::Tr("paint", "This photo tells where it was taken.")
                        : common::Tr("paint", "This photo names people.");
  auto* text = new QLabel(what, &dialog);
  text->setWordWrap(true);
  auto* remove =
      new QCheckBox(common::Tr("paint", "&Remove location and personal details"), &dialog);
  remove->setChecked(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(text);
  layout->addWidget(remove);
  layout->addWidget(buttons);
  dialog.setMinimumWidth(common::TitleBarWidth(dialog));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return remove->isChecked();
}

}  // namespace paint
