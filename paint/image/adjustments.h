#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

namespace paint {

// Adjustments of a photo's colours, and a turn by any angle: functions from
// picture to picture like image_ops.h, touching no window, for 32-bit
// pictures. The colour ones keep the picture's size, format and alpha; large
// pictures are worked on by every core.

enum class Adjust { kBrightnessContrast, kSaturation, kGreyscale, kInvert, kRotate };

struct Adjustment {
  Adjust kind = Adjust::kInvert;
  // Brightness (with kBrightnessContrast) or saturation, -100 to 100: -100
  // is black or grey, 100 white or twice as vivid.
  int amount = 0;
  // -100 (one flat grey) to 100 (close to black and white).
  int contrast = 0;
  // Clockwise, for kRotate.
  double degrees = 0;
  // What the corners that a turn adds hold: a colour (opaque for an opaque
  // picture) or transparency (0), which makes the result ARGB32.
  QRgb corners = 0;
};

// The size of the result: a turn's holds the turned picture's corners.
QSize AdjustedSize(const QSize& size, const Adjustment& adjustment);

// The adjusted picture; null for a null one.
QImage Adjusted(const QImage& picture, const Adjustment& adjustment);

// Only the part of the result inside `part` (result coordinates, clipped to
// the result), the same pixels as Adjusted has there: what a preview shows
// of a large picture costs only the part in view.
QImage AdjustedPart(const QImage& picture, const Adjustment& adjustment, const QRect& part);

}  // namespace paint
