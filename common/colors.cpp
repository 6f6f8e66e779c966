#include "common/colors.h"

#include "common/i18n.h"

#include <array>

namespace common {
namespace {

// The standard (classic) colour scheme, by system colour index.
constexpr std::array<QRgb, 25> kSystemColours = {
    qRgb(192, 192, 192),  // 0 scroll bars
    qRgb(0, 128, 128),    // 1 desktop
    qRgb(0, 0, 128),      // 2 active title bar
    qRgb(128, 128, 128),  // 3 inactive title bar
    qRgb(192, 192, 192),  // 4 menu bar
    qRgb(255, 255, 255),  // 5 window background
    qRgb(0, 0, 0),        // 6 window frame
    qRgb(0, 0, 0),        // 7 menu text
    qRgb(0, 0, 0),        // 8 window text
    qRgb(255, 255, 255),  // 9 active title-bar text
    qRgb(192, 192, 192),  // 10 active border
    qRgb(192, 192, 192),  // 11 inactive border
    qRgb(128, 128, 128),  // 12 application workspace
    qRgb(0, 0, 128),      // 13 highlight
    qRgb(255, 255, 255),  // 14 highlighted text
    qRgb(192, 192, 192),  // 15 button face
    qRgb(128, 128, 128),  // 16 button shadow
    qRgb(128, 128, 128),  // 17 grey text
    qRgb(0, 0, 0),        // 18 button text
    qRgb(192, 192, 192),  // 19 inactive title-bar text
    qRgb(255, 255, 255),  // 20 button highlight
    qRgb(0, 0, 0),        // 21 3D dark shadow
    qRgb(223, 223, 223),  // 22 3D light
    qRgb(0, 0, 0),        // 23 tooltip text
    qRgb(255, 255, 225),  // 24 tooltip background
};

struct NamedColour {
  uint32_t rgb;  // 0xBBGGRR
  const char* name;
};

constexpr NamedColour kNames[] = {
    {0xFFFFFF, QT_TRANSLATE_NOOP("colours", "white")},
    {0xC0FFFF, QT_TRANSLATE_NOOP("colours", "light yellow")},
    {0x00FFFF, QT_TRANSLATE_NOOP("colours", "yellow")},
    {0xC0C0C0, QT_TRANSLATE_NOOP("colours", "silver")},
    {0x8080FF, QT_TRANSLATE_NOOP("colours", "light red")},
    {0x0000FF, QT_TRANSLATE_NOOP("colours", "red")},
    {0x80FF80, QT_TRANSLATE_NOOP("colours", "light green")},
    {0x008000, QT_TRANSLATE_NOOP("colours", "green")},
    {0xFFFF80, QT_TRANSLATE_NOOP("colours", "light cyan")},
    {0xC0C000, QT_TRANSLATE_NOOP("colours", "cyan")},
    {0xFF80FF, QT_TRANSLATE_NOOP("colours", "light magenta")},
    {0x800080, QT_TRANSLATE_NOOP("colours", "purple")},
    {0x800000, QT_TRANSLATE_NOOP("colours", "navy")},
    {0x808000, QT_TRANSLATE_NOOP("colours", "teal")},
    {0xC0FFC0, QT_TRANSLATE_NOOP("colours", "pale green")},
    {0xFFFFC0, QT_TRANSLATE_NOOP("colours", "pale cyan")},
    {0xC00000, QT_TRANSLATE_NOOP("colours", "blue")},
    {0x008080, QT_TRANSLATE_NOOP("colours", "olive")},
    {0x004040, QT_TRANSLATE_NOOP("colours", "dark olive")},
    {0x000000, QT_TRANSLATE_NOOP("colours", "black")},
    {0x808080, QT_TRANSLATE_NOOP("colours", "grey")},
    {0x00FF00, QT_TRANSLATE_NOOP("colours", "lime")},
    {0xFF0000, QT_TRANSLATE_NOOP("colours", "bright blue")},
    {0xFFFF00, QT_TRANSLATE_NOOP("colours", "aqua")},
    {0xFF00FF, QT_TRANSLATE_NOOP("colours", "magenta")},
    {0x000080, QT_TRANSLATE_NOOP("colours", "maroon")},
};

}  // namespace

QRgb ResolveSystemColour(Colour colour) {
  const uint32_t index = static_cast<uint32_t>(colour) & 0xFFFFu;
  return index < kSystemColours.size() ? kSystemColours[index] : qRgb(0, 0, 0);
}

QString DescribeColour(Colour colour) {
  const QRgb pixel = ResolveColour(colour);
  const uint32_t bgr =
      static_cast<uint32_t>(ColourFromRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)));
  for (const auto& named : kNames) {
    if (named.rgb == bgr) return Tr("colours", named.name);
  }
  return Tr("colours", "red %1, green %2, blue %3")
      .arg(qRed(pixel))
      .arg(qGreen(pixel))
      .arg(qBlue(pixel));
}

}  // namespace common
