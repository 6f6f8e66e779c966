#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <functional>

namespace paint {

// Operations on a whole picture, as functions from picture to picture: they
// touch no window, so they run aside on large pictures and tests call them
// directly. Pictures are 32-bit (RGB32, or ARGB32 with transparency); every
// result keeps the format of the picture it came from, at pixel ratio 1.

// A new picture of this size and format, its pixels not yet set; large ones
// in memory of their own (see image_ops.cpp). Null when there is no memory.
QImage Fresh(QSize size, QImage::Format format);

// A new size that keeps the top-left content and fills new area.
QImage Resized(const QImage& picture, const QSize& size, QRgb fill);

// The part of the picture inside the area; null when they do not overlap.
QImage Cropped(const QImage& picture, const QRect& area);

// The whole picture smoothly resampled to a size; null for an empty size.
QImage Scaled(const QImage& picture, const QSize& size);

enum class Turn { kClockwise, kCounterClockwise, kHalf };

// The picture turned by a quarter or half turn, pixel for pixel.
QImage Turned(const QImage& picture, Turn turn);

// The picture mirrored left to right (Qt::Horizontal), top to bottom
// (Qt::Vertical) or both.
QImage Flipped(const QImage& picture, Qt::Orientations orientations);

// Paints the colour over the pixels joined to `at` through edges (not
// corners) that have exactly its stored value. Returns the bounds of what
// changed: empty when nothing did. Opaque pictures take the colour opaque.
// Before each run it paints, it tells `keep` where.
QRect Fill(QImage& picture, QPoint at, QRgb colour,
           const std::function<void(const QRect&)>& keep = {});

}  // namespace paint
