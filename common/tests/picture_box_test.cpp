#include "common/picture_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <thread>

#include "common/aside.h"

namespace common {
namespace {

constexpr Colour kBlue = 0x00FF0000;
constexpr Colour kRed = 0x000000FF;

// The canvas converts twips to pixels on a fast path; it must agree with
// floor(twips / 15) everywhere, boundaries included.
TEST(PictureBoxTest, TwipsMapToTheFloorPixel) {
  const float cases[] = {0,    14.999f, 15,   -0.001f, -15,      -15.001f,  7.5f,
                         3495, 5834.9f, 1e7f, -1e7f,   12345.5f, 29.999998f};
  for (float twips : cases)
    EXPECT_EQ(PictureBox::ToPixel(twips), static_cast<int>(std::floor(twips / 15.0))) << twips;
  EXPECT_EQ(PictureBox::ToPixel(NAN), -1);
  EXPECT_EQ(PictureBox::ToPixel(INFINITY), -1);
}

TEST(PictureBoxTest, PointsLandOnTheirPixelAlongARun) {
  PictureBox box;
  box.SetBounds(QRect(0, 0, 60, 60));  // inner area 56 x 56
  box.Cls();
  // A run like the eraser's, one twip at a time across several pixels.
  for (int j = 0; j <= 100; ++j) box.PSet(15.0f * 3, 150.0f + j, kBlue);
  for (int y = 0; y < 56; ++y) {
    const bool inked = y >= 10 && y <= 16;
    EXPECT_EQ(box.Pixel(3, y) == ResolveColour(kBlue), inked) << y;
  }
}

// The filled circle tool's run of concentric solid circles, drawn with the
// pixels read back after every circle (nothing held back) and straight
// through: the pictures must match to the pixel.
TEST(PictureBoxTest, SolidCircleRunMatchesCircleByCircle) {
  struct Case {
    float x, y;
    int last;
    Colour outline;
  };
  const Case cases[] = {{0, 0, 6800, kBlue}, {5835, 3435, 2000, kRed}, {2000.5f, 1000, 900, kBlue}};
  for (const Case& c : cases) {
    PictureBox plain, fast;
    for (PictureBox* box : {&plain, &fast}) {
      box->SetBounds(QRect(0, 0, 393, 233));
      box->SetBackColor(0x00FFFFFF);
      box->LineFilledBox(100, 100, 3000, 600, kRed);
      box->SetFillStyle(0);
      box->SetFillColor(c.outline);
    }
    for (int k = 1; k <= c.last; ++k) {
      plain.Circle(c.x, c.y, static_cast<float>(k), c.outline);
      plain.Pixel(0, 0);
      fast.Circle(c.x, c.y, static_cast<float>(k), c.outline);
    }
    EXPECT_EQ(plain.Image(), fast.Image()) << c.x << "," << c.y;
  }
}

TEST(PictureBoxTest, OutlineCircleAfterSolidOnesIsNotSwallowed) {
  PictureBox box;
  box.SetBounds(QRect(0, 0, 100, 100));
  box.SetBackColor(0x00FFFFFF);
  box.SetFillStyle(0);
  box.SetFillColor(kBlue);
  for (int k = 1; k <= 300; ++k) box.Circle(750, 750, static_cast<float>(k), kBlue);
  box.SetFillStyle(1);
  box.Circle(750, 750, 150, kRed);  // radius 10 pixels, on top of the blue disk
  EXPECT_EQ(box.Pixel(60, 50), ResolveColour(kRed));
  EXPECT_EQ(box.Pixel(55, 50), ResolveColour(kBlue));
}

}  // namespace
}  // namespace common

// Slow work runs aside; Escape in its box stops the wait at once.
TEST(RunAsideTest, EscapeStopsWaitingForSlowWork) {
  auto finished = std::make_shared<std::atomic<bool>>(false);
  QTimer::singleShot(700, [] {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QProgressDialog*>(widget); box && box->isVisible())
        QTest::keyClick(box, Qt::Key_Escape);
  });
  // Until its box shows, the window it waits for takes no clicks.
  QPushButton owner;
  owner.show();
  int clicks = 0;
  QObject::connect(&owner, &QPushButton::clicked, [&clicks] { ++clicks; });
  QTimer::singleShot(100, [&owner] { QTest::mouseClick(&owner, Qt::LeftButton); });
  QElapsedTimer waited;
  waited.start();
  EXPECT_FALSE(common::RunAside(&owner, "Waiting...", [finished] {
    std::this_thread::sleep_for(std::chrono::seconds(3));
    *finished = true;
  }));
  EXPECT_LT(waited.elapsed(), 2500);
  EXPECT_FALSE(*finished);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(common::RunAside(nullptr, "Quick", [finished] { *finished = true; }));
  EXPECT_TRUE(*finished);
}
