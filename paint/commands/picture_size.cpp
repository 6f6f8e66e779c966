#include "paint/commands/picture_size.h"

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
#include "paint/commands/dialogs.h"

namespace paint {
namespace {

constexpr int kMaxPercent = 100000;

QSpinBox* SideField(QWidget* parent, int value) {
  auto* field = new QSpinBox(parent);
  field->setRange(1, kMaxPictureSide);
  field->setValue(value);
  field->setSuffix(QStringLiteral(" px"));
  return field;
}

// What both size dialogs hold: a title, width and height fields, OK and
// Cancel; rows of their own go between the fields and the buttons.
struct SizeDialog {
  SizeDialog(QWidget* owner, const QString& title, const QSize& current)
      : dialog(owner),
        form(new QFormLayout(&dialog)),
        width(SideField(&dialog, current.width())),
        height(SideField(&dialog, current.height())),
        buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog)) {
    dialog.setWindowTitle(title);
    form->addRow(common::Tr("paint", "&Width:"), width);
    form->addRow(common::Tr("paint", "&Height:"), height);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  }
  // Shows it with the first field selected (what is typed replaces it);
  // true on OK.
  bool Run() {
    form->addRow(buttons);
    dialog.setMinimumWidth(common::TitleBarWidth(dialog));
    QTimer::singleShot(0, width, [field = width] {
      field->setFocus();
      field->selectAll();
    });
    return dialog.exec() == QDialog::Accepted;
  }

  QDialog dialog;
  QFormLayout* form;
  QSpinBox* width;
  QSpinBox* height;
  QDialogButtonBox* buttons;
};

}  // namespace

std::optional<QSize> AskPictureSize(QWidget* owner, const QSize& current) {
  return DialogsOf(owner).PictureSize(owner, current);
}

std::optional<QSize> AskScale(QWidget* owner, const QSize& current) {
  return DialogsOf(owner).Scale(owner, current);
}

std::optional<QSize> Dialogs::PictureSize(QWidget* owner, const QSize& current) {
  SizeDialog ask(owner, common::Tr("paint", "Picture Size"), current);
  if (!ask.Run()) return std::nullopt;
  return QSize(ask.width->value(), ask.height->value());
}

std::optional<QSize> Dialogs::Scale(QWidget* owner, const QSize& current) {
  SizeDialog ask(owner, common::Tr("paint", "Scale"), current);
  QSpinBox* width = ask.width;
  QSpinBox* height = ask.height;
  auto* percent = new QCheckBox(common::Tr("paint", "In &percent"), &ask.dialog);
  auto* keep = new QCheckBox(common::Tr("paint", "&Keep proportions"), &ask.dialog);
  keep->setChecked(true);
  auto* result = new QLabel(&ask.dialog);
  ask.form->addRow(percent);
  ask.form->addRow(keep);
  ask.form->addRow(result);
  const auto chosen = [&] {
    if (!percent->isChecked()) return QSize(width->value(), height->value());
    return QSize(qRound(current.width() * width->value() / 100.0),
                 qRound(current.height() * height->value() / 100.0));
  };
  const auto show = [&] {
    const QSize size = chosen();
    const bool fits = size.width() >= 1 && size.height() >= 1 && WithinLimit(size);
    ask.buttons->button(QDialogButtonBox::Ok)->setEnabled(fits);
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
  QObject::connect(width, &QSpinBox::valueChanged, &ask.dialog, [&] {
    follow(width, height, current.width(), current.height());
    show();
  });
  QObject::connect(height, &QSpinBox::valueChanged, &ask.dialog, [&] {
    follow(height, width, current.height(), current.width());
    show();
  });
  QObject::connect(percent, &QCheckBox::toggled, &ask.dialog, [&](bool inPercent) {
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
  if (!ask.Run()) return std::nullopt;
  return chosen();
}

}  // namespace paint
