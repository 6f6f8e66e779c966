#include "paint/tools/text_font_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QSpinBox>

#include "common/i18n.h"
#include "paint/commands/dialogs.h"
#include "paint/tools/mark_settings.h"

namespace paint {
bool AskTextFont(QWidget* owner, MarkSettings& settings) {
  return DialogsOf(owner).TextFont(owner, settings);
}

bool Dialogs::TextFont(QWidget* owner, MarkSettings& settings) {
  QDialog dialog(owner);
  dialog.setWindowTitle(common::Tr("paint", "Text Font"));
  auto* layout = new QFormLayout(&dialog);
  auto* family = new QFontComboBox(&dialog);
  family->setCurrentFont(settings.Font());
  auto* size = new QSpinBox(&dialog);
  size->setRange(4, 1000);
  size->setSuffix(common::Tr("paint", " px"));
  size->setValue(settings.textSize);
  auto* bold = new QCheckBox(common::Tr("paint", "&Bold"), &dialog);
  bold->setChecked(settings.bold);
  auto* italic = new QCheckBox(common::Tr("paint", "&Italic"), &dialog);
  italic->setChecked(settings.italic);
  layout->addRow(common::Tr("paint", "&Font:"), family);
  layout->addRow(common::Tr("paint", "&Size:"), size);
  layout->addRow(bold);
  layout->addRow(italic);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return false;
  settings.family = family->currentFont().family();
  settings.textSize = size->value();
  settings.bold = bold->isChecked();
  settings.italic = italic->isChecked();
  return true;
}

}  // namespace paint
