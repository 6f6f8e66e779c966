#pragma once

#include <QImage>
#include <QSize>

namespace paint {

// Operations on a whole picture, as functions from picture to picture: they
// touch no window, so they run aside on large pictures and tests call them
// directly. Pictures are 32-bit (RGB32, or ARGB32 with transparency).

// A new size that keeps the top-left content and fills new area.
QImage Resized(const QImage& picture, const QSize& size, QRgb fill);

}  // namespace paint
