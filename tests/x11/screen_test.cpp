// What a real X server shows of the canvas after each event, at the scale
// factor the test runs at (QT_SCALE_FACTOR): the screen must equal the
// canvas's own device pixels. Incremental repaints go through the backing
// store, which grab() would bypass, so the screen itself is read.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <functional>
#include <optional>

#include "paint/document/selection.h"
#include "paint/form1.h"

namespace paint {
namespace {

// Device pixels that differ between the canvas and the screen placed at at.
int Mismatches(const QImage& own, const QImage& screen, QPoint at) {
  int bad = 0;
  for (int y = 0; y < own.height(); ++y) {
    const auto* mine = reinterpret_cast<const QRgb*>(own.constScanLine(y));
    const auto* shown = reinterpret_cast<const QRgb*>(screen.constScanLine(at.y() + y)) + at.x();
    for (int x = 0; x < own.width(); ++x) bad += ((mine[x] ^ shown[x]) & 0xFFFFFF) != 0;
  }
  return bad;
}

TEST(ScreenTest, EveryRepaintShowsTheCanvasExactly) {
  ASSERT_EQ(QGuiApplication::platformName(), "xcb");
  Form1 form;
  // As in the program: a menu bar above puts the canvas at a fractional
  // device offset at some scales.
  form.AddMenuBar().addMenu(QStringLiteral("&File"));
  form.Start();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  common::PictureBox& canvas = form.GetPicture("Picture1");
  const double ratio = canvas.devicePixelRatioF();
  const QPointF inner = canvas.contentsRect().topLeft();
  std::optional<QPoint> origin;  // of the canvas on the screen, in device pixels

  // Runs one event, waits for its repaint to reach the server, compares.
  const auto check = [&](const char* what, const std::function<void()>& event) {
    event();
    for (int i = 0; i < 4; ++i) QTest::qWait(10);
    const QImage own = canvas.Image().convertToFormat(QImage::Format_RGB32);
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
    if (!origin) {
      // Where Qt puts the inner area depends on its rounding: find it once.
      const QPointF guess =
          (QPointF(form.geometry().topLeft()) + canvas.mapTo(&form, inner)) * ratio;
      int best = -1;
      for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
          const QPoint at(int(guess.x()) + dx, int(guess.y()) + dy);
          const int bad = Mismatches(own, screen, at);
          if (best < 0 || bad < best) best = bad, origin = at;
        }
      }
    }
    EXPECT_EQ(Mismatches(own, screen, *origin), 0) << what << " at scale " << ratio;
  };
  const auto move = [&](QPointF at, Qt::MouseButtons held) {
    const QPointF p = inner + at;
    QMouseEvent event(QEvent::MouseMove, p, canvas.mapToGlobal(p), Qt::NoButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&canvas, &event);
  };
  const auto click = [&](QPointF at) {
    QTest::mouseClick(&canvas, Qt::LeftButton, {}, (inner + at).toPoint());
  };

  // A fresh canvas is its colour up to its last device row and column: no
  // black seam between the picture and the border.
  check("a fresh canvas", [] {});
  {
    const QImage own = canvas.Image();
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    int black = 0;
    for (int d = 0; d <= 2; ++d) {
      black += (screen.pixel(origin->x() + own.width() / 2, origin->y() + own.height() + d) &
                0xFFFFFF) == 0;
      black += (screen.pixel(origin->x() + own.width() + d, origin->y() + own.height() / 2) &
                0xFFFFFF) == 0;
    }
    EXPECT_EQ(black, 0) << "a black seam at scale " << ratio;
  }
  form.Command1_Click(1);  // freehand: single dots, at fractional positions
  QTest::mousePress(&canvas, Qt::LeftButton, {}, (inner + QPointF(3, 3)).toPoint());
  for (int i = 0; i < 24; ++i)
    check("a freehand dot", [&] { move(QPointF(5 + i * 3.37, 7 + i * 2.11), Qt::LeftButton); });
  QTest::mouseRelease(&canvas, Qt::LeftButton, {}, (inner + QPointF(3, 3)).toPoint());
  form.Command1_Click(9);  // the brush
  QTest::mousePress(&canvas, Qt::LeftButton, {}, (inner + QPointF(90, 90)).toPoint());
  for (int i = 0; i < 6; ++i)
    check("a brush square", [&] { move(QPointF(100 + i * 1.7, 120 - i * 3.1), Qt::LeftButton); });
  QTest::mouseRelease(&canvas, Qt::LeftButton, {}, (inner + QPointF(90, 90)).toPoint());
  form.Command1_Click(2);  // a line
  click(QPointF(200, 20));
  check("a line", [&] { click(QPointF(233, 171)); });
  form.Command1_Click(8);  // a filled circle
  click(QPointF(300, 100));
  check("a filled circle", [&] { click(QPointF(311, 107)); });

  // A selection's outline shows on the white canvas along every edge, at
  // every scale: dashes of black a device pixel wide.
  Selection selection(canvas);
  const QRect area(130, 150, 60, 50);
  selection.Select(area);
  for (int i = 0; i < 4; ++i) QTest::qWait(10);
  const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
  const auto darkOn = [&](QPoint from, QPoint step, int count) {
    int best = 0;
    for (int across = -1; across <= 1; ++across) {
      int dark = 0;
      for (int i = 0; i < count; ++i) {
        const QPoint at = from + step * i + QPoint(step.y(), step.x()) * across;
        dark += (screen.pixel(at) & 0xFFFFFF) < 0x404040;
      }
      best = std::max(best, dark);
    }
    return best;
  };
  const auto device = [&](int x, int y) {
    return *origin + QPoint(qRound(x * ratio), qRound(y * ratio));
  };
  const int wide = qRound(area.width() * ratio) - 4, high = qRound(area.height() * ratio) - 4;
  EXPECT_GE(darkOn(device(area.left(), area.top()) + QPoint(2, 0), {1, 0}, wide), wide / 4)
      << "top edge at scale " << ratio;
  EXPECT_GE(darkOn(device(area.left(), area.bottom() + 1) + QPoint(2, 0), {1, 0}, wide), wide / 4)
      << "bottom edge at scale " << ratio;
  EXPECT_GE(darkOn(device(area.left(), area.top()) + QPoint(0, 2), {0, 1}, high), high / 4)
      << "left edge at scale " << ratio;
  EXPECT_GE(darkOn(device(area.right() + 1, area.top()) + QPoint(0, 2), {0, 1}, high), high / 4)
      << "right edge at scale " << ratio;
}

}  // namespace
}  // namespace paint

// The xcb platform's D-Bus and font libraries keep a few blocks to the end.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\nleak:libfontconfig.so\n";
}
