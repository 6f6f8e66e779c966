#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <optional>

#include "common/listeners.h"

class QPainter;

namespace common {
class PictureBox;
}

namespace paint {

// A rectangle of the picture to act on, outlined in dashes of black and
// white that show on any picture, and pixels that float over the picture
// until they are set down: lifted out of the selection to be moved, or
// pasted. Coordinates are picture pixels. It changes the picture only when
// asked to (Lift, SetDown, Clear); making that an undo step is the caller's.
class Selection {
 public:
  explicit Selection(common::PictureBox& canvas);

  bool Active() const { return area_.has_value(); }
  // The selected rectangle: where the floating pixels stand while they float.
  QRect Area() const { return area_.value_or(QRect()); }
  bool Floating() const { return !floating_.isNull(); }
  bool Pasted() const { return Floating() && !lifted_; }

  // A new selection, clipped to the picture; none when nothing is left.
  void Select(const QRect& area);
  // Forgets the selection, and floating pixels with it.
  void Drop();
  // Pixels over the picture with their top left at a point, as a paste.
  void Float(const QImage& pixels, const QPoint& at);
  // Takes the selected pixels out of the picture to move them, leaving the
  // canvas colour behind.
  void Lift(QRgb canvasColour);
  void MoveTo(const QPoint& topLeft);
  // Puts floating pixels into the picture: lifted ones in place of what is
  // under them, pasted ones over it. The selection stays where they went.
  void SetDown();
  // Fills the selected pixels of the picture with a colour.
  void Clear(QRgb colour);
  // The selected pixels: the floating ones, or the picture's.
  QImage Pixels() const;
  // Replaces the floating pixels (turned or flipped), keeping their top left.
  void Replace(const QImage& pixels);

  // A selection was made or dropped, or pixels began to float.
  common::Listeners<> changed;

 private:
  void Paint(QPainter& painter) const;

  common::PictureBox& canvas_;
  std::optional<QRect> area_;
  QImage floating_;
  bool lifted_ = false;
};

}  // namespace paint
