#include "common/picture_box.h"

#include "common/i18n.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

namespace common {
namespace {

int64_t ToPixel64(float twips) {
  const double pixel = std::floor(static_cast<double>(twips) / kTwipsPerPixel);
  // NaN and huge values go far outside; the raster clips them.
  if (!(pixel > -1e12)) return int64_t{-1} << 40;
  if (!(pixel < 1e12)) return int64_t{1} << 40;
  return static_cast<int64_t>(pixel);
}

int16_t ButtonsOf(Qt::MouseButtons buttons) {
  int16_t result = 0;
  if (buttons & Qt::LeftButton) result |= PictureBox::kLeftButton;
  if (buttons & Qt::RightButton) result |= PictureBox::kRightButton;
  if (buttons & Qt::MiddleButton) result |= PictureBox::kMiddleButton;
  return result;
}

int16_t ShiftOf(Qt::KeyboardModifiers modifiers) {
  int16_t result = 0;
  if (modifiers & Qt::ShiftModifier) result |= PictureBox::kShiftMask;
  if (modifiers & Qt::ControlModifier) result |= PictureBox::kCtrlMask;
  if (modifiers & Qt::AltModifier) result |= PictureBox::kAltMask;
  return result;
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  // Every button draws: no context menu.
  setContextMenuPolicy(Qt::PreventContextMenu);
  setAttribute(Qt::WA_OpaquePaintEvent);
  raster_.Resize(0, 0, devicePixelRatioF(), ResolveColour(backColor_));
}

void PictureBox::SetBackColor(Colour colour) {
  backColor_ = colour;
  Cls();
  UpdateAccessibleName();
}

void PictureBox::SetMousePointer(int16_t pointer) {
  mousePointer_ = pointer;
  switch (pointer) {
    case 1:
      setCursor(Qt::ArrowCursor);
      break;
    case 2:
      setCursor(Qt::CrossCursor);
      break;
    default:
      unsetCursor();
      break;
  }
}

void PictureBox::Cls() {
  raster_.Fill(ResolveColour(backColor_));
  ScheduleUpdate();
}

void PictureBox::Line(float x1, float y1, float x2, float y2, Colour colour) {
  raster_.Line(ToPixel64(x1), ToPixel64(y1), ToPixel64(x2), ToPixel64(y2), ResolveColour(colour));
  ScheduleUpdate();
}

void PictureBox::LineFilledBox(float x1, float y1, float x2, float y2, Colour colour) {
  raster_.FillBox(ToPixel64(x1), ToPixel64(y1), ToPixel64(x2), ToPixel64(y2),
                  ResolveColour(colour));
  ScheduleUpdate();
}

void PictureBox::DrawCircle(float x, float y, float radius, Colour colour) {
  int64_t r = RadiusPixels(radius);
  if (r < 0) r = static_cast<int64_t>(kFarRadius);
  std::optional<QRgb> fill;
  if (fillStyle_ == 0) fill = ResolveColour(fillColor_);
  raster_.Circle(ToPixel64(x), ToPixel64(y), r, ResolveColour(colour), fill);
  diskHeld_ = fillStyle_ == 0 && fillColor_ == colour;
  heldX_ = x;
  heldY_ = y;
  heldColour_ = colour;
  ScheduleUpdate();
}

void PictureBox::SetDeviceRatio(double ratio) {
  ratioFixed_ = true;
  raster_.SetRatio(ratio);
  update();
}

void PictureBox::SetColourNamePrefix(std::string prefix) {
  colourNamePrefix_ = std::move(prefix);
  UpdateAccessibleName();
}

void PictureBox::UpdateAccessibleName() {
  if (colourNamePrefix_.empty()) return;
  setAccessibleName(Tr("controls", colourNamePrefix_.c_str()) + DescribeColour(backColor_));
}

void PictureBox::QueueUpdate() {
  updateQueued_ = true;
  // One repaint per handler, however many points it set.
  QMetaObject::invokeMethod(
      this,
      [this] {
        updateQueued_ = false;
        raster_.FlushPending();
        // Qt rounds a logical update rectangle to device pixels its own way,
        // which at fractional scales can leave out the first device row or
        // column of a block the raster wrote: a pixel's margin covers it.
        const QRect dirty = raster_.TakeDirty();
        if (dirty.isEmpty()) return;
        const QRectF zoomed(dirty.x() * zoom_, dirty.y() * zoom_, dirty.width() * zoom_,
                            dirty.height() * zoom_);
        update(zoomed.toAlignedRect()
                   .translated(-origin_)
                   .adjusted(-1, -1, 1, 1)
                   .translated(Viewport().topLeft()) &
               Viewport());
      },
      Qt::QueuedConnection);
}

void PictureBox::paintEvent(QPaintEvent* /*event*/) {
  // Moved to a screen of another pixel ratio: same picture, new blocks.
  if (!ratioFixed_ && devicePixelRatioF() != raster_.ratio()) raster_.SetRatio(devicePixelRatioF());
  QPainter painter(this);
  // At a fractional scale, with the box at a fractional device offset, a
  // device row or column can fall between the picture and the border, and
  // nothing else paints it (the box is opaque): the canvas colour does.
  painter.fillRect(QRectF(contentsRect()).adjusted(0, 0, 1, 1), QColor(ResolveColour(backColor_)));
  drawFrame(&painter);
  const QRect viewport = Viewport();
  // The corner between two scroll bars belongs to no picture.
  if (viewport != contentsRect()) {
    painter.setClipRegion(QRegion(contentsRect()) - viewport);
    painter.fillRect(contentsRect(), palette().color(QPalette::Window));
  }
  painter.setClipRect(viewport);
  const QRgb outside = palette().color(QPalette::Window).rgb();
  if (zoom_ == 1.0) {
    raster_.PaintOn(painter, viewport.topLeft(), QRect(origin_, viewport.size()), outside);
  } else {
    raster_.PaintZoomed(painter, viewport.topLeft(), origin_, viewport.size(), zoom_, outside);
  }
  painter.translate(QPointF(viewport.topLeft() - origin_));
  painter.scale(zoom_, zoom_);
  paintOver(painter);
}

void PictureBox::SetBounds(const QRect& bounds) {
  setGeometry(bounds);
  SyncCanvasSize();
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  SyncCanvasSize();
}

void PictureBox::SyncCanvasSize() {
  const QSize inner = contentsRect().size();
  // The layout is fixed: this runs when the box is placed, before anything
  // is drawn, so a fresh canvas loses nothing.
  if (!ownPicture_ && (inner.width() != raster_.width() || inner.height() != raster_.height()))
    raster_.Resize(inner.width(), inner.height(), std::max(devicePixelRatioF(), 1.0),
                   ResolveColour(backColor_));
  LayoutView();
}

void PictureBox::NewPicture() {
  ownPicture_ = false;
  raster_.Resize(contentsRect().width(), contentsRect().height(), raster_.ratio(),
                 ResolveColour(backColor_));
  LayoutView();
  update();
}

void PictureBox::SetPicture(const QImage& image) {
  ownPicture_ = true;
  raster_.SetImage(image);
  LayoutView();
  update();
}

bool PictureBox::Exchange(Originals& originals) {
  const bool whole = !originals.whole.isNull();
  if (!raster_.Exchange(originals)) return false;
  if (whole) {
    ownPicture_ = true;
    LayoutView();
    update();
  } else {
    ScheduleUpdate();
  }
  return true;
}

void PictureBox::SetPictureSize(int width, int height) {
  ownPicture_ = true;
  raster_.SetSize(width, height, ResolveColour(backColor_));
  LayoutView();
  update();
}

QRect PictureBox::Viewport() const {
  QRect viewport = contentsRect();
  if (down_ && down_->isVisibleTo(this)) viewport.setRight(down_->x() - 1);
  if (across_ && across_->isVisibleTo(this)) viewport.setBottom(across_->y() - 1);
  return viewport;
}

QRect PictureBox::ViewRect() const {
  const QSize view = Viewport().size();
  const QPoint first(static_cast<int>(std::floor(origin_.x() / zoom_)),
                     static_cast<int>(std::floor(origin_.y() / zoom_)));
  const QPoint last(static_cast<int>(std::ceil((origin_.x() + view.width()) / zoom_)) - 1,
                    static_cast<int>(std::ceil((origin_.y() + view.height()) / zoom_)) - 1);
  return QRect(first, last) & InnerRect();
}

// Scroll bars only while the picture is larger than the inner area; each
// one shown takes room that may call for the other.
void PictureBox::LayoutView() {
  const QRect inner = contentsRect();
  const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const QSize zoomed = ZoomedSize();
  bool across = zoomed.width() > inner.width(), down = zoomed.height() > inner.height();
  down = down || (across && zoomed.height() > inner.height() - extent);
  across = across || (down && zoomed.width() > inner.width() - extent);
  if ((across || down) && !across_) {
    across_ = new QScrollBar(Qt::Horizontal, this);
    down_ = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {across_, down_}) {
      bar->setFocusPolicy(Qt::NoFocus);
      connect(bar, &QScrollBar::valueChanged, this,
              [this] { ScrollTo(QPoint(across_->value(), down_->value())); });
    }
  }
  if (!across_) return;
  across_->setGeometry(inner.left(), inner.bottom() + 1 - extent,
                       inner.width() - (down ? extent : 0), extent);
  down_->setGeometry(inner.right() + 1 - extent, inner.top(), extent,
                     inner.height() - (across ? extent : 0));
  across_->setVisible(across);
  down_->setVisible(down);
  ScrollTo(origin_);
}

void PictureBox::ScrollTo(const QPoint& origin) {
  const QSize view = Viewport().size();
  const QSize zoomed = ZoomedSize();
  const QPoint furthest(std::max(zoomed.width() - view.width(), 0),
                        std::max(zoomed.height() - view.height(), 0));
  const QPoint clamped(std::clamp(origin.x(), 0, furthest.x()),
                       std::clamp(origin.y(), 0, furthest.y()));
  if (across_) {
    const QSignalBlocker quiet(across_), quietToo(down_);
    across_->setRange(0, furthest.x());
    across_->setPageStep(view.width());
    across_->setValue(clamped.x());
    down_->setRange(0, furthest.y());
    down_->setPageStep(view.height());
    down_->setValue(clamped.y());
  }
  if (clamped == origin_) return;
  origin_ = clamped;
  update();
}

QSize PictureBox::ZoomedSize() const {
  return QSize(static_cast<int>(std::ceil(raster_.width() * zoom_ - 1e-9)),
               static_cast<int>(std::ceil(raster_.height() * zoom_ - 1e-9)));
}

void PictureBox::SetZoom(double zoom, std::optional<QPointF> anchor) {
  zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  const QRect viewport = Viewport();
  // The picture point under the anchor (the view's centre by default) stays there.
  const QPointF at = anchor ? *anchor - QPointF(viewport.topLeft())
                            : QPointF(viewport.width() / 2.0, viewport.height() / 2.0);
  const QPointF point = (QPointF(origin_) + at) / zoom_;
  zoom_ = zoom;
  LayoutView();
  ScrollTo((point * zoom_ - at).toPoint());
  update();
  zoomChanged();
}

double PictureBox::FitZoom() const {
  const QSize inner = contentsRect().size();
  if (raster_.width() <= 0 || raster_.height() <= 0) return 1.0;
  return std::clamp(std::min(static_cast<double>(inner.width()) / raster_.width(),
                             static_cast<double>(inner.height()) / raster_.height()),
                    kMinZoom, kMaxZoom);
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
  // Moving about the picture: a small step, most of a view, or to an edge.
  const QSize view = Viewport().size(), zoomed = ZoomedSize();
  const int step = kKeyStep;
  const bool control = event->modifiers() & Qt::ControlModifier;
  QPoint to = origin_;
  switch (event->key()) {
    case Qt::Key_Left:
      to.rx() -= step;
      break;
    case Qt::Key_Right:
      to.rx() += step;
      break;
    case Qt::Key_Up:
      to.ry() -= step;
      break;
    case Qt::Key_Down:
      to.ry() += step;
      break;
    case Qt::Key_PageUp:
      to.ry() -= view.height() * 9 / 10;
      break;
    case Qt::Key_PageDown:
      to.ry() += view.height() * 9 / 10;
      break;
    case Qt::Key_Home:
      to = control ? QPoint() : QPoint(0, origin_.y());
      break;
    case Qt::Key_End:
      to = control ? QPoint(zoomed.width(), zoomed.height()) : QPoint(zoomed.width(), origin_.y());
      break;
    default:
      QFrame::keyPressEvent(event);
      return;
  }
  ScrollTo(to);
  event->accept();
}

void PictureBox::wheelEvent(QWheelEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {  // zooms about the pointer
    // Touchpads and smooth wheels send fractions of a notch: they add up.
    zoomWheel_ += event->angleDelta().y();
    const int notches = zoomWheel_ / QWheelEvent::DefaultDeltasPerStep;
    zoomWheel_ -= notches * QWheelEvent::DefaultDeltasPerStep;
    double zoom = zoom_;
    for (int i = 0; i < std::abs(notches); ++i) zoom = NextZoom(zoom, notches > 0);
    if (zoom != zoom_) SetZoom(zoom, event->position());
    event->accept();
    return;
  }
  // A notch scrolls three lines of twenty pixels.
  QPoint step = event->angleDelta() / 2;
  if (event->modifiers() & Qt::ShiftModifier) step = QPoint(step.y(), step.x());
  ScrollTo(origin_ - step);
  event->accept();
}

void PictureBox::Deliver(const MouseListeners& listeners, QMouseEvent* event, int16_t button) {
  const QPointF at = (event->position() - QPointF(Viewport().topLeft()) + QPointF(origin_)) / zoom_;
  const auto x = static_cast<float>(at.x() * kTwipsPerPixel);
  const auto y = static_cast<float>(at.y() * kTwipsPerPixel);
  listeners(button, ShiftOf(event->modifiers()), x, y);
}

// The sunken border is not part of the canvas: pointer events on it are
// dropped, unless a press inside still holds the pointer (a drag may leave
// the box and come back).
bool PictureBox::Inside(QMouseEvent* event) const {
  if (captured_) return true;
  // Positions can be fractional on a scaled screen: test them unrounded.
  const QRect viewport = Viewport();
  const QPointF at = event->position() - QPointF(viewport.topLeft());
  return at.x() >= 0 && at.y() >= 0 && at.x() < viewport.width() && at.y() < viewport.height();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  if (!Inside(event)) return;
  captured_ = true;
  heldButton_ = ButtonsOf(event->button());
  if (event->button() == Qt::LeftButton) clickArmed_ = true;
  Deliver(mouseDown, event, heldButton_);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  // A release can go astray (a dialog opened while the button was held takes
  // it); a move with no button held shows the pointer is free again. The
  // handler gets the release it missed, here, before the move.
  if (captured_ && event->buttons() == Qt::NoButton) {
    captured_ = false;
    clickArmed_ = false;
    Deliver(mouseUp, event, heldButton_);
  }
  if (Inside(event)) Deliver(mouseMove, event, ButtonsOf(event->buttons()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  if (!captured_) return;
  if (event->buttons() == Qt::NoButton) captured_ = false;
  Deliver(mouseUp, event, ButtonsOf(event->button()));
  if (event->button() == Qt::LeftButton && clickArmed_) {
    clickArmed_ = false;
    if (rect().contains(event->position().toPoint())) click();
  }
}

}  // namespace common
