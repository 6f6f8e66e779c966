#include "paint/picture_size.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QTimer>

#include "common/dialogs.h"
#include "common/i18n.h"

namespace paint {
namespace {

PictureSizeHook& Hook() {
  static PictureSizeHook hook;
  return hook;
}

QSpinBox* SideField(QWidget* parent, int value) {
  auto* field = new QSpinBox(parent);
  field->setRange(1, kMaxPictureSide);
  field->setValue(value);
  field->setSuffix(QStringLiteral(" px"));
  return field;
}

}  // namespace

std::optional<QSize> AskPictureSize(QWidget* owner, const QSize& current) {
  if (Hook()) return Hook()(current);
  QDialog dialog(owner);
  dialog.setWindowTitle(common::Tr("paint", "Picture Size"));
  auto* form = new QFormLayout(&dialog);
  QSpinBox* width = SideField(&dialog, current.width());
  QSpinBox* height = SideField(&dialog, current.height());
  form->addRow(common::Tr("paint", "&Width:"), width);
  form->addRow(common::Tr("paint", "&Height:"), height);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  form->addRow(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  dialog.setMinimumWidth(common::TitleBarWidth(dialog));
  // The first field selected: what is typed replaces it.
  QTimer::singleShot(0, width, [width] {
    width->setFocus();
    width->selectAll();
  });
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return QSize(width->value(), height->value());
}

void SetPictureSizeHook(PictureSizeHook hook) {
  Hook() = std::move(hook);
}

}  // namespace paint
