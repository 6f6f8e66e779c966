#include "paint/picture_size.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <utility>

#include "common/dialogs.h"
#include "common/i18n.h"

namespace paint {
namespace {

PictureSizeHook& Hook() {
  static PictureSizeHook hook;
  return hook;
}

PictureSizeHook& ScaleHook() {
  static PictureSizeHook hook;
  return hook;
}

constexpr int kMaxPercent = 100000;

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

std::optional<QSize> AskScale(QWidget* owner, const QSize& current) {
  if (ScaleHook()) return ScaleHook()(current);
  QDialog dialog(owner);
  dialog.setWindowTitle(common::Tr("paint", "Scale"));
  auto* form = new QFormLayout(&dialog);
  QSpinBox* width = SideField(&dialog, current.width());
  QSpinBox* height = SideField(&dialog, current.height());
  auto* percent = new QCheckBox(common::Tr("paint", "In &percent"), &dialog);
  auto* keep = new QCheckBox(common::Tr("paint", "&Keep proportions"), &dialog);
  keep->setChecked(true);
  auto* result = new QLabel(&dialog);
  form->addRow(common::Tr("paint", "&Width:"), width);
  form->addRow(common::Tr("paint", "&Height:"), height);
  form->addRow(percent);
  form->addRow(keep);
  form->addRow(result);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  form->addRow(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  const auto chosen = [&] {
    if (!percent->isChecked()) return QSize(width->value(), height->value());
    return QSize(qRound(current.width() * width->value() / 100.0),
                 qRound(current.height() * height->value() / 100.0));
  };
  const auto show = [&] {
    const QSize size = chosen();
    const bool fits = size.width() >= 1 && size.height() >= 1 && WithinLimit(size);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(fits);
    result->setText(
        fits ? common::Tr("paint", "The picture becomes %1 × %2 pixels.")
                   .arg(size.width())
                   .arg(size.height())
             : common::Tr("paint", "Each side must be 1 to %1 pixels.").arg(kMaxPictureSide));
  };
  // One side follows the other while the proportions are kept.
  bool following = false;
  const auto follow = [&](QSpinBox* changed, QSpinBox* other, int from, int to) {
    if (following || !keep->isChecked()) return;
    following = true;
    other->setValue(percent->isChecked() ? changed->value()
                                         : qRound(changed->value() * double(to) / from));
    following = false;
  };
  QObject::connect(width, &QSpinBox::valueChanged, &dialog, [&] {
    follow(width, height, current.width(), current.height());
    show();
  });
  QObject::connect(height, &QSpinBox::valueChanged, &dialog, [&] {
    follow(height, width, current.height(), current.width());
    show();
  });
  QObject::connect(percent, &QCheckBox::toggled, &dialog, [&](bool inPercent) {
    following = true;
    const QString suffix = inPercent ? QStringLiteral(" %") : QStringLiteral(" px");
    for (auto [field, side] : {std::pair{width, current.width()}, {height, current.height()}}) {
      field->setSuffix(suffix);
      field->setRange(1, inPercent ? kMaxPercent : kMaxPictureSide);
      field->setValue(inPercent ? 100 : side);
    }
    following = false;
    show();
  });
  show();
  dialog.setMinimumWidth(common::TitleBarWidth(dialog));
  QTimer::singleShot(0, width, [width] {
    width->setFocus();
    width->selectAll();
  });
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return chosen();
}

void SetScaleHook(PictureSizeHook hook) {
  ScaleHook() = std::move(hook);
}

}  // namespace paint
