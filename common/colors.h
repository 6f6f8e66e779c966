#pragma once

#include <QString>

#include <QRgb>
#include <cstdint>
#include <string>

namespace common {

// A colour value as the programs pass it around: 0x00BBGGRR for an RGB colour
// (red in the low byte), or 0x800000nn for system colour nn.
using Colour = int32_t;

inline constexpr Colour SystemColour(int index) {
  return static_cast<Colour>(0x80000000u | static_cast<uint32_t>(index));
}

// The pixel a colour value paints with. System colours resolve through the
// standard colour scheme every time, so a stored reference stays a reference.
QRgb ResolveSystemColour(Colour colour);
inline QRgb ResolveColour(Colour colour) {
  if (colour < 0) return ResolveSystemColour(colour);
  const auto value = static_cast<uint32_t>(colour);
  return qRgb(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The colour value of an RGB triple, as a colour dialog reports it.
constexpr Colour ColourFromRgb(int red, int green, int blue) {
  return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// A short description a screen reader can speak: "light yellow", or
// "red 12, green 200, blue 7" for a colour without a common name.
QString DescribeColour(Colour colour);  // in the user's language

}  // namespace common
