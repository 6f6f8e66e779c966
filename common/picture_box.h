#pragma once

#include <QFrame>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

#include "common/colors.h"
#include "common/layout.h"
#include "common/raster.h"

namespace common {

// A picture box: a sunken panel whose inner area is a canvas that keeps its
// drawing (repainted from its own pixels whenever it is exposed). Coordinates
// are twips from the top-left corner of the inner area.
class PictureBox : public QFrame {
 public:
  // Mouse buttons and shift keys as the handlers receive them.
  enum : int16_t { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
  enum : int16_t { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };
  using MouseHandler = std::function<void(int16_t button, int16_t shift, float x, float y)>;

  explicit PictureBox(QWidget* parent = nullptr);

  Colour BackColor() const { return backColor_; }
  // Shows the colour at once; like a fresh background, it erases the drawing.
  void SetBackColor(Colour colour);
  void SetMousePointer(int16_t pointer);  // 0 default, 1 arrow, 2 cross
  int16_t MousePointer() const { return mousePointer_; }

  void Cls();
  void Line(float x1, float y1, float x2, float y2, Colour colour);
  void LineFilledBox(float x1, float y1, float x2, float y2, Colour colour);
  void Circle(float x, float y, float radius, Colour colour);
  void PSet(float x, float y, Colour colour) {
    raster_.SetPixel(ToPixel(x), ToPixel(y), ResolveColour(colour));
    ScheduleUpdate();
  }
  int16_t FillStyle() const { return fillStyle_; }
  void SetFillStyle(int16_t style) { fillStyle_ = style; }
  Colour FillColor() const { return fillColor_; }
  void SetFillColor(Colour colour) { fillColor_ = colour; }

  // The drawing, read back: one logical pixel of the inner area, or all the
  // device pixels.
  QRgb Pixel(int x, int y) { return raster_.Pixel(x, y); }
  QImage Image() { return raster_.Image(); }
  int InnerWidth() const { return raster_.width(); }
  int InnerHeight() const { return raster_.height(); }
  // Renders at this device pixel ratio from now on, keeping the drawing.
  void SetDeviceRatio(double ratio);

  // When set, the accessible name is this prefix and the colour's name, kept
  // up to date as the colour changes.
  void SetColourNamePrefix(std::string prefix);

  std::function<void()> onClick;
  MouseHandler onMouseDown;
  MouseHandler onMouseMove;
  MouseHandler onMouseUp;

  // The logical pixel under a coordinate in twips; far-off and invalid
  // coordinates land outside the canvas.
  static int ToPixel(float twips) {
    const double pixel = std::floor(static_cast<double>(twips) / kTwipsPerPixel);
    return pixel > -1e9 && pixel < 1e9 ? static_cast<int>(pixel) : -1;
  }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void ScheduleUpdate() {
    if (!updateQueued_) QueueUpdate();
  }
  void QueueUpdate();
  void Deliver(const MouseHandler& handler, QMouseEvent* event);
  void UpdateAccessibleName();

  Raster raster_;
  Colour backColor_ = SystemColour(15);
  Colour fillColor_ = 0;
  int16_t fillStyle_ = 1;
  int16_t mousePointer_ = 0;
  bool updateQueued_ = false;
  bool clickArmed_ = false;
  std::string colourNamePrefix_;
};

}  // namespace common
