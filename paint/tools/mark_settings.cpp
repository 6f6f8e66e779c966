#include "paint/tools/mark_settings.h"

#include <QFontDatabase>
#include <QSettings>
#include <algorithm>
#include <array>

namespace paint {
namespace {

constexpr std::array kWidths{1, 2, 3, 4, 5, 6, 8, 10, 12, 16, 20, 24, 32, 40, 48, 64, 80, 100};

QSettings Stored() {
  return QSettings(QStringLiteral("sketchly"), QStringLiteral("paint"));
}

}  // namespace

std::span<const int> MarkSettings::CommonWidths() {
  return kWidths;
}

int MarkSettings::Stepped(int width, bool up) {
  if (up) {
    const auto* next = std::upper_bound(kWidths.begin(), kWidths.end(), width);
    return next == kWidths.end() ? kMaxWidth : *next;
  }
  const auto* at = std::lower_bound(kWidths.begin(), kWidths.end(), width);
  return at == kWidths.begin() ? kMinWidth : *(at - 1);
}

QFont MarkSettings::Font() const {
  QFont font =
      family.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont) : QFont(family);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(textSize, 1));
  font.setBold(bold);
  font.setItalic(italic);
  // Grey edges, not a screen's coloured ones: the picture goes to any screen.
  font.setStyleStrategy(smooth ? QFont::NoSubpixelAntialias : QFont::NoAntialias);
  return font;
}

MarkPen MarkSettings::Pen(QRgb colour) const {
  return {width, dashed, filled, smooth, colour | 0xFF000000U};
}

void MarkSettings::Load() {
  QSettings settings = Stored();
  settings.beginGroup(QStringLiteral("marks"));
  width = std::clamp(settings.value(QStringLiteral("width"), width).toInt(), kMinWidth, kMaxWidth);
  dashed = settings.value(QStringLiteral("dashed"), dashed).toBool();
  filled = settings.value(QStringLiteral("filled"), filled).toBool();
  smooth = settings.value(QStringLiteral("smooth"), smooth).toBool();
  blocks = settings.value(QStringLiteral("blocks"), blocks).toBool();
  family = settings.value(QStringLiteral("font"), family).toString();
  textSize = std::clamp(settings.value(QStringLiteral("textSize"), textSize).toInt(), 1, 1000);
  bold = settings.value(QStringLiteral("bold"), bold).toBool();
  italic = settings.value(QStringLiteral("italic"), italic).toBool();
}

void MarkSettings::Save() const {
  QSettings settings = Stored();
  settings.beginGroup(QStringLiteral("marks"));
  settings.setValue(QStringLiteral("width"), width);
  settings.setValue(QStringLiteral("dashed"), dashed);
  settings.setValue(QStringLiteral("filled"), filled);
  settings.setValue(QStringLiteral("smooth"), smooth);
  settings.setValue(QStringLiteral("blocks"), blocks);
  settings.setValue(QStringLiteral("font"), family);
  settings.setValue(QStringLiteral("textSize"), textSize);
  settings.setValue(QStringLiteral("bold"), bold);
  settings.setValue(QStringLiteral("italic"), italic);
  changed();
}

}  // namespace paint
