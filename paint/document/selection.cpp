#include "paint/document/selection.h"

#include <QPainter>

#include "common/picture_box.h"

namespace paint {

Selection::Selection(common::PictureBox& canvas) : canvas_(canvas) {
  canvas_.paintOver.Add([this](QPainter& painter) { Paint(painter); });
}

void Selection::Select(const QRect& area) {
  const QRect kept = area.normalized() & canvas_.InnerRect();
  floating_ = QImage();
  area_ = kept.isEmpty() ? std::nullopt : std::optional(kept);
  canvas_.RepaintView();
  changed();
}

void Selection::Drop() {
  if (!Active()) return;
  area_.reset();
  floating_ = QImage();
  canvas_.RepaintView();
  changed();
}

void Selection::Float(const QImage& pixels, const QPoint& at) {
  floating_ = pixels;
  floating_.setDevicePixelRatio(1);
  lifted_ = false;
  area_ = QRect(at, pixels.size());
  canvas_.RepaintView();
  changed();
}

void Selection::Lift(QRgb canvasColour) {
  if (!Active() || Floating()) return;
  const QImage pixels = canvas_.Region(*area_);
  Clear(canvasColour);
  Float(pixels, area_->topLeft());
  lifted_ = true;
}

void Selection::MoveTo(const QPoint& topLeft) {
  if (!Active() || area_->topLeft() == topLeft) return;
  area_->moveTopLeft(topLeft);
  canvas_.RepaintView();
}

void Selection::SetDown() {
  if (!Floating()) return;
  const QRect target = *area_ & canvas_.InnerRect();
  if (!target.isEmpty()) {
    const QImage part = floating_.copy(target.translated(-area_->topLeft()));
    // Moved pixels replace what they land on, exactly, transparency and
    // all; a paste is laid over the picture.
    if (lifted_) {
      canvas_.PutRegion(target.topLeft(), part);
    } else {
      QImage under = canvas_.Region(target);
      QPainter(&under).drawImage(0, 0, part);
      canvas_.PutRegion(target.topLeft(), under);
    }
  }
  floating_ = QImage();
  area_ = target.isEmpty() ? std::nullopt : std::optional(target);
  canvas_.RepaintView();
}

void Selection::Clear(QRgb colour) {
  if (!Active()) return;
  const QRect area = *area_;
  // In place: clearing a whole photo needs no photo-sized fill image.
  canvas_.Modify([&](QImage& picture, const auto& keep) {
    QImage one(1, 1, QImage::Format_ARGB32);
    one.fill(colour);
    const QRgb stored = one.convertToFormat(picture.format()).pixel(0, 0);
    const QRect clipped = area & picture.rect();
    keep(clipped);
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
      std::fill(line + clipped.left(), line + clipped.right() + 1, stored);
    }
    return clipped;
  });
}

QImage Selection::Pixels() const {
  if (!Active()) return {};
  return Floating() ? floating_ : canvas_.Region(*area_);
}

void Selection::Replace(const QImage& pixels) {
  if (!Floating()) return;
  floating_ = pixels;
  floating_.setDevicePixelRatio(1);
  area_->setSize(pixels.size());
  canvas_.RepaintView();
}

void Selection::Paint(QPainter& painter) const {
  if (!Active()) return;
  if (Floating()) {
    // Only the part in view: a drag of a whole photo costs a view's worth.
    const QRect shown = *area_ & canvas_.ViewRect();
    if (!shown.isEmpty())
      painter.drawImage(QRectF(shown), floating_, QRectF(shown.translated(-area_->topLeft())));
  }
  // Dashes of black over white, one device pixel wide at any zoom.
  QPen pen(Qt::white, 0);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  const QRectF outline(*area_);
  painter.drawRect(outline);
  pen.setColor(Qt::black);
  pen.setStyle(Qt::DashLine);
  painter.setPen(pen);
  painter.drawRect(outline);
}

}  // namespace paint
