#include "paint/image/marks.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace paint {
namespace {

// A pen of odd width strokes along pixel centres, an even one along pixel
// edges: either way its edges fall on pixel edges and straight lines stay
// crisp.
QPointF Centre(QPoint pixel, int width) {
  const double offset = width % 2 != 0 ? 0.5 : 0.0;
  return {pixel.x() + offset, pixel.y() + offset};
}

// An arrowhead grows with the width so that it always reads as one.
double HeadLength(int width) {
  return 3.0 * width + 9.0;
}

int Sign(int value) {
  return value < 0 ? -1 : 1;
}

QPen PenOf(const MarkPen& pen, Shape shape) {
  QPen qpen(QColor::fromRgba(pen.colour), pen.width);
  // Round ends suit a solid line; dashes need square gaps.
  qpen.setCapStyle(pen.dashed ? Qt::FlatCap : Qt::RoundCap);
  qpen.setJoinStyle(shape == Shape::kRectangle ? Qt::MiterJoin : Qt::RoundJoin);
  if (pen.dashed) qpen.setStyle(Qt::DashLine);
  return qpen;
}

}  // namespace

QPoint Constrained(Shape shape, QPoint from, QPoint to) {
  const int dx = to.x() - from.x(), dy = to.y() - from.y();
  if (shape == Shape::kRectangle || shape == Shape::kEllipse) {
    const int side = std::max(std::abs(dx), std::abs(dy));
    return from + QPoint(Sign(dx) * side, Sign(dy) * side);
  }
  const double angle = std::atan2(dy, dx);
  const long step = std::lround(angle / (std::numbers::pi / 4));
  // Even steps are across or down, odd ones diagonal.
  if (step % 2 == 0)
    return std::abs(step) == 2 ? QPoint(from.x(), to.y()) : QPoint(to.x(), from.y());
  const int side = (std::abs(dx) + std::abs(dy)) / 2;
  return from + QPoint(Sign(dx) * side, Sign(dy) * side);
}

void PaintShape(QPainter& painter, Shape shape, QPoint from, QPoint to, const MarkPen& pen) {
  if (from == to) return;
  const QPointF a = Centre(from, pen.width), b = Centre(to, pen.width);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, pen.smooth);
  painter.setPen(PenOf(pen, shape));
  painter.setBrush(pen.filled ? QBrush(QColor::fromRgba(pen.colour)) : QBrush(Qt::NoBrush));
  switch (shape) {
    case Shape::kLine:
      painter.drawLine(a, b);
      break;
    case Shape::kRectangle:
      painter.drawRect(QRectF(a, b).normalized());
      break;
    case Shape::kEllipse:
      painter.drawEllipse(QRectF(a, b).normalized());
      break;
    case Shape::kArrow: {
      const QPointF along = b - a;
      const double length = std::hypot(along.x(), along.y());
      const QPointF unit = along / length, across(-unit.y(), unit.x());
      const double head = std::min(HeadLength(pen.width), length);
      // The shaft ends inside the head, so that its end never shows.
      painter.drawLine(a, b - unit * (head * 0.8));
      const QPointF base = b - unit * head;
      painter.setPen(Qt::NoPen);
      painter.setBrush(QColor::fromRgba(pen.colour));
      painter.drawPolygon(QPolygonF({b, base + across * (head / 2), base - across * (head / 2)}));
      break;
    }
  }
  painter.restore();
}

QRect ShapeBounds(Shape shape, QPoint from, QPoint to, const MarkPen& pen) {
  const double reach = (shape == Shape::kArrow ? HeadLength(pen.width) : pen.width) / 2.0 + 2;
  return QRectF(Centre(from, pen.width), Centre(to, pen.width))
      .normalized()
      .adjusted(-reach, -reach, reach, reach)
      .toAlignedRect();
}

QRect DrawShape(QImage& picture, Shape shape, QPoint from, QPoint to, const MarkPen& pen) {
  QPainter painter(&picture);
  PaintShape(painter, shape, from, to, pen);
  return ShapeBounds(shape, from, to, pen) & picture.rect();
}

namespace {

// Each block's shade comes from the seed and its place alone.
QRgb Shade(QRgb colour, uint32_t seed, int column, int row) {
  uint32_t h = seed ^ (static_cast<uint32_t>(column) * 0x9E3779B1U) ^
               (static_cast<uint32_t>(row) * 0x85EBCA77U);
  h ^= h >> 16;
  h *= 0x7FEB352DU;
  h ^= h >> 15;
  h *= 0x846CA68BU;
  h ^= h >> 16;
  const int towardsWhite = 24 + static_cast<int>(h % 96);
  const auto lift = [towardsWhite](int channel) {
    return channel + (255 - channel) * towardsWhite / 255;
  };
  return qRgb(lift(qRed(colour)), lift(qGreen(colour)), lift(qBlue(colour)));
}

// How many blocks of at least kRedactBlock pixels fit a length.
int BlocksIn(int length) {
  return std::max(1, length / kRedactBlock);
}

}  // namespace

QRect RedactSolid(QImage& picture, const QRect& area, QRgb colour) {
  const QRect target = area & picture.rect();
  const QRgb opaque = colour | 0xFF000000U;
  for (int y = target.top(); y <= target.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    std::fill(line + target.left(), line + target.right() + 1, opaque);
  }
  return target;
}

QImage RedactionBlocks(const QRect& area, QRgb colour, uint32_t seed) {
  QImage blocks(BlocksIn(area.width()), BlocksIn(area.height()), QImage::Format_RGB32);
  for (int row = 0; row < blocks.height(); ++row)
    for (int column = 0; column < blocks.width(); ++column)
      blocks.setPixel(column, row, Shade(colour, seed, column, row));
  return blocks;
}

QRect RedactInBlocks(QImage& picture, const QRect& area, QRgb colour, uint32_t seed) {
  const QRect target = area & picture.rect();
  if (target.isEmpty()) return {};
  const QImage blocks = RedactionBlocks(target, colour, seed);
  const int columns = blocks.width(), rows = blocks.height();
  for (int y = target.top(); y <= target.bottom(); ++y) {
    const int row = (y - target.top()) * rows / target.height();
    const auto* shades = reinterpret_cast<const QRgb*>(blocks.constScanLine(row));
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int column = 0; column < columns; ++column) {
      const int left = target.left() + column * target.width() / columns;
      const int right = target.left() + (column + 1) * target.width() / columns;
      std::fill(line + left, line + right, shades[column] | 0xFF000000U);
    }
  }
  return target;
}

MarkerStroke::MarkerStroke(QRgb colour, int width, bool smooth)
    : colour_(colour), width_(std::max(width, 1)), smooth_(smooth) {}

MarkerStroke::Tile& MarkerStroke::TileAt(const QImage& picture, int column, int row) {
  const uint64_t key =
      (static_cast<uint64_t>(static_cast<uint32_t>(column)) << 32) | static_cast<uint32_t>(row);
  auto found = tiles_.find(key);
  if (found != tiles_.end()) return found->second;
  Tile tile{picture.copy(column * kTile, row * kTile, kTile, kTile),
            QImage(kTile, kTile, QImage::Format_Grayscale8)};
  tile.coverage.fill(0);
  return tiles_.emplace(key, std::move(tile)).first->second;
}

QRect MarkerStroke::Add(QImage& picture, QPointF from, QPointF to,
                        const std::function<void(const QRect&)>& keep) {
  const double reach = width_ / 2.0 + 1;
  const QRect rect =
      QRectF(from, to).normalized().adjusted(-reach, -reach, reach, reach).toAlignedRect() &
      picture.rect();
  if (rect.isEmpty()) return {};
  if (keep) keep(rect);
  // What the segment covers, as a mask.
  QImage cover(rect.size(), QImage::Format_Alpha8);
  cover.fill(0);
  {
    QPainter painter(&cover);
    painter.setRenderHint(QPainter::Antialiasing, smooth_);
    painter.translate(-rect.topLeft());
    if (from == to) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(Qt::black);
      painter.drawEllipse(from, width_ / 2.0, width_ / 2.0);
    } else {
      painter.setPen(QPen(Qt::black, width_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      painter.drawLine(from, to);
    }
  }
  const int red = qRed(colour_), green = qGreen(colour_), blue = qBlue(colour_);
  // Multiplied by the colour as far as covered; over transparency the
  // colour itself shows.
  const auto marked = [&](QRgb under, int cover) {
    const auto times = [cover](int channel, int by) {
      return (channel * (255 * 255 - cover * (255 - by)) + 255 * 255 / 2) / (255 * 255);
    };
    const QRgb multiplied =
        qRgb(times(qRed(under), red), times(qGreen(under), green), times(qBlue(under), blue));
    const int alpha = qAlpha(under);
    if (alpha == 255) return multiplied | 0xFF000000U;
    const int added = cover * (255 - alpha) / 255, total = alpha + added;
    if (total == 0) return under;
    const auto blend = [&](int mine, int own) { return (own * alpha + mine * added) / total; };
    return qRgba(blend(red, qRed(multiplied)), blend(green, qGreen(multiplied)),
                 blend(blue, qBlue(multiplied)), total);
  };
  uchar* bits = picture.bits();
  const qsizetype stride = picture.bytesPerLine();
  int left = rect.right() + 1, top = rect.bottom() + 1, right = -1, bottom = -1;
  for (int row = rect.top() / kTile; row <= rect.bottom() / kTile; ++row)
    for (int column = rect.left() / kTile; column <= rect.right() / kTile; ++column) {
      const QRect tileRect(column * kTile, row * kTile, kTile, kTile);
      const QRect part = tileRect & rect;
      Tile* tile = nullptr;  // kept only where the stroke reaches
      for (int y = part.top(); y <= part.bottom(); ++y) {
        const uchar* mask = cover.constScanLine(y - rect.top()) - rect.left();
        auto* line = reinterpret_cast<QRgb*>(bits + y * stride);
        for (int x = part.left(); x <= part.right(); ++x) {
          const uchar covered = mask[x];
          if (covered == 0) continue;
          if (!tile) tile = &TileAt(picture, column, row);
          uchar& so = tile->coverage.scanLine(y - tileRect.top())[x - tileRect.left()];
          if (covered <= so) continue;
          so = covered;
          const QRgb under = reinterpret_cast<const QRgb*>(
              tile->original.constScanLine(y - tileRect.top()))[x - tileRect.left()];
          line[x] = marked(under, covered);
          left = std::min(left, x);
          right = std::max(right, x);
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
      }
    }
  return right < left ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace paint
