#include "common/colors.h"

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
    {0xFFFFFF, "white"},       {0xC0FFFF, "light yellow"},  {0x00FFFF, "yellow"},
    {0xC0C0C0, "silver"},      {0x8080FF, "light red"},     {0x0000FF, "red"},
    {0x80FF80, "light green"}, {0x008000, "green"},         {0xFFFF80, "light cyan"},
    {0xC0C000, "cyan"},        {0xFF80FF, "light magenta"}, {0x800080, "purple"},
    {0x800000, "navy"},        {0x808000, "teal"},          {0xC0FFC0, "pale green"},
    {0xFFFFC0, "pale cyan"},   {0xC00000, "blue"},          {0x008080, "olive"},
    {0x004040, "dark olive"},  {0x000000, "black"},         {0x808080, "grey"},
    {0x00FF00, "lime"},        {0xFF0000, "bright blue"},   {0xFFFF00, "aqua"},
    {0xFF00FF, "magenta"},     {0x000080, "maroon"},
};

}  // namespace

QRgb ResolveSystemColour(Colour colour) {
  const uint32_t index = static_cast<uint32_t>(colour) & 0xFFFFu;
  return index < kSystemColours.size() ? kSystemColours[index] : qRgb(0, 0, 0);
}

std::string DescribeColour(Colour colour) {
  const QRgb pixel = ResolveColour(colour);
  const uint32_t bgr =
      static_cast<uint32_t>(ColourFromRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)));
  for (const auto& named : kNames) {
    if (named.rgb == bgr) return named.name;
  }
  return "red " + std::to_string(qRed(pixel)) + ", green " + std::to_string(qGreen(pixel)) +
         ", blue " + std::to_string(qBlue(pixel));
}

}  // namespace common
