#include "paint/tests/window_fixture.h"

namespace paint {
namespace {

TEST_F(PaintTest, KeysMoveAboutThePictureAndOpeningFitsItInView) {
  ASSERT_TRUE(dir.isValid());
  const QString big = dir.filePath(QStringLiteral("big.png"));
  QImage picture(1000, 800, QImage::Format_RGB32);
  picture.fill(Qt::gray);
  ASSERT_TRUE(picture.save(big));
  ASSERT_TRUE(sketchly->OpenAtStart(big));
  EXPECT_DOUBLE_EQ(Canvas().Zoom(), Canvas().FitZoom()) << "a larger picture opens whole";
  EXPECT_LT(Canvas().Zoom(), 1.0);
  sketchly->View().ActualSize();
  const QSize view = Canvas().ViewRect().size();
  const QPoint end(1000 - view.width(), 800 - view.height());
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QPoint origin;
  } keys[] = {
      {Qt::Key_Left, {}, {280, 200}},
      {Qt::Key_Right, {}, {320, 200}},
      {Qt::Key_Up, {}, {300, 180}},
      {Qt::Key_Down, {}, {300, 220}},
      {Qt::Key_PageUp, {}, {300, std::max(200 - view.height() * 9 / 10, 0)}},
      {Qt::Key_PageDown, {}, {300, 200 + view.height() * 9 / 10}},
      {Qt::Key_Home, {}, {0, 200}},
      {Qt::Key_End, {}, {end.x(), 200}},
      {Qt::Key_Home, Qt::ControlModifier, {0, 0}},
      {Qt::Key_End, Qt::ControlModifier, end},
  };
  for (const auto& row : keys) {
    Canvas().ScrollTo({300, 200});
    QTest::keyClick(&Canvas(), row.key, row.modifiers);
    EXPECT_EQ(Canvas().Origin(), row.origin) << row.key;
  }
  sketchly->File().New();
  EXPECT_EQ(Canvas().Zoom(), 1.0);
}

}  // namespace
}  // namespace paint
