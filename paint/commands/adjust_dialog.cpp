#include "paint/commands/adjust_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QSlider>
#include <QTimer>
#include <cmath>
#include <span>
#include <vector>

#include "common/dialogs.h"
#include "common/i18n.h"

namespace paint {
namespace {

struct Level {
  const char* label;  // in the "paint" context
  double minimum, maximum;
  int decimals;
  const char* suffix;
};

// The levels chosen, in order; nothing when cancelled.
std::optional<std::vector<double>> AskLevels(
    QWidget* owner, const QString& title, std::span<const Level> levels,
    const std::function<void(const std::vector<double>&)>& preview) {
  QDialog dialog(owner);
  dialog.setWindowTitle(title);
  auto* form = new QFormLayout(&dialog);
  std::vector<QDoubleSpinBox*> fields;
  const auto values = [&fields] {
    std::vector<double> chosen;
    chosen.reserve(fields.size());
    for (const QDoubleSpinBox* field : fields) chosen.push_back(field->value());
    return chosen;
  };
  bool queued = false;
  const auto changed = [&] {
    if (queued) return;
    queued = true;
    QTimer::singleShot(0, &dialog, [&] {
      queued = false;
      preview(values());
    });
  };
  for (const Level& level : levels) {
    auto* row = new QHBoxLayout;
    auto* slider = new QSlider(Qt::Horizontal, &dialog);
    auto* field = new QDoubleSpinBox(&dialog);
    const double scale = std::pow(10.0, level.decimals);
    slider->setRange(static_cast<int>(level.minimum * scale),
                     static_cast<int>(level.maximum * scale));
    slider->setMinimumWidth(200);
    field->setRange(level.minimum, level.maximum);
    field->setDecimals(level.decimals);
    field->setSuffix(QString::fromUtf8(level.suffix));
    field->setValue(0);
    QObject::connect(slider, &QSlider::valueChanged, field,
                     [field, scale](int value) { field->setValue(value / scale); });
    QObject::connect(field, &QDoubleSpinBox::valueChanged, slider, [slider, scale](double value) {
      slider->setValue(static_cast<int>(std::lround(value * scale)));
    });
    QObject::connect(field, &QDoubleSpinBox::valueChanged, &dialog, changed);
    row->addWidget(slider);
    row->addWidget(field);
    form->addRow(common::Tr("paint", level.label), row);
    fields.push_back(field);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  form->addRow(buttons);
  dialog.setMinimumWidth(common::TitleBarWidth(dialog));
  QTimer::singleShot(0, fields.front(), [field = fields.front()] {
    field->setFocus();
    field->selectAll();
  });
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return values();
}

QString Title(const char* text) {
  return common::Tr("menus", text).remove(u'&').remove(QStringLiteral("...")).remove(u'…');
}

}  // namespace

std::optional<std::pair<int, int>> AskBrightnessContrast(
    QWidget* owner, const std::function<void(int, int)>& preview) {
  static constexpr Level kLevels[] = {
      {QT_TRANSLATE_NOOP("paint", "&Brightness:"), -100, 100, 0, ""},
      {QT_TRANSLATE_NOOP("paint", "&Contrast:"), -100, 100, 0, ""}};
  const auto chosen = AskLevels(owner, Title("&Brightness and Contrast..."), kLevels,
                                [&](const std::vector<double>& v) {
                                  preview(static_cast<int>(v[0]), static_cast<int>(v[1]));
                                });
  if (!chosen) return std::nullopt;
  return std::pair(static_cast<int>((*chosen)[0]), static_cast<int>((*chosen)[1]));
}

std::optional<int> AskSaturation(QWidget* owner, const std::function<void(int)>& preview) {
  static constexpr Level kLevels[] = {
      {QT_TRANSLATE_NOOP("paint", "&Saturation:"), -100, 100, 0, ""}};
  const auto chosen =
      AskLevels(owner, Title("&Saturation..."), kLevels,
                [&](const std::vector<double>& v) { preview(static_cast<int>(v[0])); });
  if (!chosen) return std::nullopt;
  return static_cast<int>(chosen->front());
}

std::optional<double> AskRotation(QWidget* owner, const std::function<void(double)>& preview) {
  static constexpr Level kLevels[] = {{QT_TRANSLATE_NOOP("paint", "&Angle:"), -180, 180, 1, "°"}};
  const auto chosen = AskLevels(owner, Title("&Rotate..."), kLevels,
                                [&](const std::vector<double>& v) { preview(v[0]); });
  if (!chosen) return std::nullopt;
  return chosen->front();
}

}  // namespace paint
