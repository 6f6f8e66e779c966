#pragma once

#include <QFrame>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "common/colors.h"
#include "common/layout.h"
#include "common/listeners.h"
#include "common/raster.h"
#include "common/zoom.h"

class QPainter;
class QScrollBar;

namespace common {

// A picture box: a sunken panel whose inner area shows a picture that keeps
// its drawing (repainted from its own pixels whenever it is exposed). The
// picture has the inner area's size unless it is given another; a larger
// one scrolls (wheel, Shift+wheel, scroll bars inside the border). Coordinates
// are twips from the top-left corner of the picture.
class PictureBox : public QFrame {
 public:
  // Mouse buttons and shift keys as the handlers receive them.
  enum : int16_t { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
  enum : int16_t { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };
  using MouseListeners = Listeners<int16_t /*button*/, int16_t /*shift*/, float /*x*/, float /*y*/>;

  explicit PictureBox(QWidget* parent = nullptr);

  // Places the box (pixels, in its parent) and sizes the canvas at once: a
  // hidden widget gets its resize event only when first shown.
  void SetBounds(const QRect& bounds);

  Colour BackColor() const { return backColor_; }
  // Shows the colour at once; like a fresh background, it erases the drawing.
  void SetBackColor(Colour colour);
  void SetMousePointer(int16_t pointer);  // 0 default, 1 arrow, 2 cross
  int16_t MousePointer() const { return mousePointer_; }

  void Cls();
  void Line(float x1, float y1, float x2, float y2, Colour colour);
  void LineFilledBox(float x1, float y1, float x2, float y2, Colour colour);
  void Circle(float x, float y, float radius, Colour colour) {
    // The filled circle tool draws thousands of concentric solid circles a
    // click; each after the first only widens the disk held back.
    if (diskHeld_ && colour == heldColour_ && fillColor_ == colour && fillStyle_ == 0 &&
        x == heldX_ && y == heldY_) {
      const int64_t pixels = RadiusPixels(radius);
      if (pixels >= 0 && raster_.GrowPendingDisk(pixels)) {
        ScheduleUpdate();
        return;
      }
    }
    DrawCircle(x, y, radius, colour);
  }
  void PSet(float x, float y, Colour colour) {
    raster_.SetPixel(columnOf_(x), rowOf_(y), ResolveColour(colour));
    ScheduleUpdate();
  }
  int16_t FillStyle() const { return fillStyle_; }
  void SetFillStyle(int16_t style) { fillStyle_ = style; }
  Colour FillColor() const { return fillColor_; }
  void SetFillColor(Colour colour) { fillColor_ = colour; }

  // The drawing, read back: one logical pixel of the picture, or all its
  // device pixels.
  QRgb Pixel(int x, int y) { return raster_.Pixel(x, y); }
  QImage Image() { return raster_.Image(); }
  // The picture's size in logical pixels.
  int InnerWidth() const { return raster_.width(); }
  int InnerHeight() const { return raster_.height(); }
  // A new drawing of the inner area's size in the back colour; a picture of
  // the image's own size (alpha kept); or a new size keeping the top-left
  // content and filling new area with the back colour. The view stays where
  // it was, as far as the new picture reaches.
  void NewPicture();
  void SetPicture(const QImage& image);
  // After SetPicture with an image kept elsewhere: see Raster::CopyAhead.
  void CopyAhead() { raster_.CopyAhead(); }
  void SetPictureSize(int width, int height);
  // The part of the picture in view (picture pixels), and scrolling it: the
  // origin is the view's top left in zoomed pixels (picture pixels at 1).
  QRect ViewRect() const;
  void ScrollTo(const QPoint& origin);
  QPoint Origin() const { return origin_; }
  // The view's zoom (1 shows each picture pixel as one logical pixel). A new
  // zoom keeps the picture point under the anchor (a point of the box; the
  // view's centre without one) where it is.
  double Zoom() const { return zoom_; }
  void SetZoom(double zoom, std::optional<QPointF> anchor = std::nullopt);
  // The largest zoom at which the whole picture is in view.
  double FitZoom() const;
  Listeners<> zoomChanged;
  // For undo and the clipboard, at logical resolution: the pixels of a
  // rectangle, written back exactly at any pixel ratio, and the rectangle
  // changed since the last call to TakeGestureDirty.
  QImage Region(const QRect& rect) { return raster_.Region(rect); }
  void PutRegion(const QPoint& at, const QImage& pixels) {
    raster_.PutRegion(at, pixels);
    ScheduleUpdate();
  }
  // In place: see Raster::Modify.
  void Modify(const std::function<QRect(QImage&, const Raster::KeepArea&)>& change) {
    raster_.Modify(change);
    ScheduleUpdate();
  }
  // What changes replaced, for undo: see Raster::KeepOriginals.
  void KeepOriginals() { raster_.KeepOriginals(); }
  Originals TakeOriginals() { return raster_.TakeOriginals(); }
  bool Exchange(Originals& originals);
  std::shared_ptr<const SettledPicture> Settled() const { return raster_.Settled(); }
  QRect TakeGestureDirty() { return raster_.TakeGestureDirty(); }
  bool Drawn() const { return raster_.Drawn(); }
  // The picture in logical pixels, and all of the drawing in it.
  QRect InnerRect() const { return QRect(0, 0, InnerWidth(), InnerHeight()); }
  QImage Drawing() { return Region(InnerRect()); }
  // The same without a copy; the next drawing makes one.
  QImage Picture() { return raster_.Picture(); }
  // Renders at this device pixel ratio from now on, keeping the drawing,
  // instead of following the screen's.
  void SetDeviceRatio(double ratio);

  // When set, the accessible name is this prefix and the colour's name, kept
  // up to date as the colour changes.
  void SetColourNamePrefix(std::string prefix);

  // Drawn over the picture at each repaint, in picture pixels (the painter
  // scaled by the zoom and clipped to the view): a selection, say.
  Listeners<QPainter&> paintOver;
  // What paintOver draws changed.
  void RepaintView() { update(Viewport()); }

  // The box's events, as the window binds its handlers to them.
  Listeners<> click;
  MouseListeners mouseDown;
  MouseListeners mouseMove;
  MouseListeners mouseUp;

  // The logical pixel under a coordinate in twips; far-off and invalid
  // coordinates land outside the canvas.
  static int ToPixel(float twips) {
    const double pixel = static_cast<double>(twips) / kTwipsPerPixel;
    if (!(pixel > -1e9 && pixel < 1e9)) return -1;
    const int truncated = static_cast<int>(pixel);  // floor without a call
    return truncated - (pixel < truncated);
  }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  static constexpr double kFarRadius = 1e6;  // pixels; larger ones cover any screen anyway
  // The nearest whole pixel of a radius in twips, or -1 beyond any screen
  // (NaN included). By the reciprocal: a division would cost the filled
  // circle's thousands of calls a click more than everything else in them.
  static int64_t RadiusPixels(float radius) {
    const double pixels = std::fabs(static_cast<double>(radius)) * (1.0 / kTwipsPerPixel);
    // Not negative, so adding a half and truncating rounds to nearest.
    return pixels < kFarRadius
               ? static_cast<int64_t>(pixels + 0.5)  // NOLINT(bugprone-incorrect-roundings)
               : -1;
  }
  void DrawCircle(float x, float y, float radius, Colour colour);

  // Remembers the twips interval of the last pixel it converted to: the
  // eraser sets 10201 points a move, some fifteen to each pixel, and two
  // comparisons are far cheaper than a conversion.
  class PixelOf {
   public:
    int operator()(float twips) {
      if (!(twips >= from_ && twips < to_)) {
        pixel_ = ToPixel(twips);
        from_ = static_cast<float>(pixel_) * kTwipsPerPixel;
        to_ = from_ + kTwipsPerPixel;
        if (ToPixel(from_) != pixel_ || ToPixel(to_) != pixel_ + 1) to_ = from_;  // not exact
      }
      return pixel_;
    }

   private:
    float from_ = 0, to_ = 0;
    int pixel_ = 0;
  };

  void ScheduleUpdate() {
    if (!updateQueued_) QueueUpdate();
  }
  void QueueUpdate();
  void Deliver(const MouseListeners& listeners, QMouseEvent* event, int16_t button);
  bool Inside(QMouseEvent* event) const;
  void UpdateAccessibleName();
  void SyncCanvasSize();
  // Where the picture is shown: the inner area less the scroll bars.
  QRect Viewport() const;
  void LayoutView();
  // The picture's size at the zoom, in logical pixels.
  QSize ZoomedSize() const;
  static constexpr int kKeyStep = 20;  // pixels an arrow key scrolls

  Raster raster_;
  PixelOf columnOf_;
  PixelOf rowOf_;
  // Centre and colour of the last solid circle drawn in one colour, which
  // the raster may still hold back.
  bool diskHeld_ = false;
  float heldX_ = 0, heldY_ = 0;
  Colour heldColour_ = 0;
  Colour backColor_ = SystemColour(15);
  Colour fillColor_ = 0;
  int16_t fillStyle_ = 1;
  int16_t mousePointer_ = 0;
  bool updateQueued_ = false;
  bool ratioFixed_ = false;
  bool clickArmed_ = false;
  bool captured_ = false;   // a press inside holds the pointer until all buttons are up
  int16_t heldButton_ = 0;  // the button of that press
  std::string colourNamePrefix_;
  bool ownPicture_ = false;  // given one, not sized by the inner area
  QPoint origin_;            // zoomed pixel at the viewport's top left
  double zoom_ = 1.0;
  int zoomWheel_ = 0;  // Ctrl+wheel turned short of a notch
  QScrollBar* across_ = nullptr;
  QScrollBar* down_ = nullptr;
};

}  // namespace common
