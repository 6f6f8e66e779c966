#pragma once

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <cstdint>
#include <functional>
#include <unordered_map>

class QPainter;

namespace paint {

// Marks drawn over a picture: shapes of any width, a marker's stroke and
// redaction. Coordinates are picture pixels; a shape runs between the
// centres of the pixels it is dragged from and to, so that a line of one
// pixel covers exactly the pixels it passes.

struct MarkPen {
  int width = 3;  // pixels
  bool dashed = false;
  bool filled = false;
  bool smooth = true;  // antialiased edges
  QRgb colour = 0xFF000000;
};

enum class Shape { kLine, kArrow, kRectangle, kEllipse };

// Where Shift takes the end of a shape dragged from `from`: a line or arrow
// to the nearest 45° step, a rectangle or ellipse to a square box.
QPoint Constrained(Shape shape, QPoint from, QPoint to);
// Paints the shape through a painter set to picture pixels (the picture
// itself, or the view for a preview).
void PaintShape(QPainter& painter, Shape shape, QPoint from, QPoint to, const MarkPen& pen);
// The pixels the shape may touch.
QRect ShapeBounds(Shape shape, QPoint from, QPoint to, const MarkPen& pen);
// Draws the shape into the picture; the rectangle it changed.
QRect DrawShape(QImage& picture, Shape shape, QPoint from, QPoint to, const MarkPen& pen);

// Redaction. A solid box in the colour; or blocks of at least kRedactBlock
// pixels a side in shades of the colour drawn from the seed alone, so that
// nothing of what was there can be worked back from them.
constexpr int kRedactBlock = 16;
QRect RedactSolid(QImage& picture, const QRect& area, QRgb colour);
QRect RedactInBlocks(QImage& picture, const QRect& area, QRgb colour, uint32_t seed);
// The blocks' colours, one pixel a block: a preview draws it stretched over
// the area.
QImage RedactionBlocks(const QRect& area, QRgb colour, uint32_t seed);

// A marker's stroke, drawn as it goes: every pixel under it is multiplied by
// the colour as far as the stroke covers it, however often the stroke passes
// over it, so black stays black and white takes the colour. It keeps the
// pixels it went over as they were before, in tiles.
class MarkerStroke {
 public:
  MarkerStroke(QRgb colour, int width, bool smooth);
  // Adds a segment; the rectangle of the picture it changed. Before it
  // writes, it tells `keep` where it may.
  QRect Add(QImage& picture, QPointF from, QPointF to,
            const std::function<void(const QRect&)>& keep = {});

 private:
  static constexpr int kTile = 64;
  struct Tile {
    QImage original;
    QImage coverage;  // how far the stroke covers each pixel so far, 0 to 255
  };
  Tile& TileAt(const QImage& picture, int column, int row);

  QRgb colour_;
  int width_;
  bool smooth_;
  std::unordered_map<uint64_t, Tile> tiles_;
};

}  // namespace paint
