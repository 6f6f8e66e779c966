#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QPushButton>

#include "paint/image/adjustments.h"
#include "paint/tests/window_fixture.h"

namespace paint {
namespace {

TEST_F(PaintTest, AdjustmentsPreviewOnTheCanvasAndOKMakesOneStep) {
  ASSERT_TRUE(dir.isValid());
  const QImage base = Photo(40, 30);
  for (const char* type : {"png", "bmp"})
    ASSERT_TRUE(base.save(dir.filePath(QStringLiteral("base.") + QLatin1String(type))));
  const QRgb canvas = common::ResolveColour(Canvas().BackColor()) | 0xff000000U;
  const QRect area(5, 4, 12, 10);
  const auto inArea = [&](const Adjustment& adjustment) {
    QImage picture = base;
    QPainter(&picture).drawImage(area.topLeft(), Adjusted(base.copy(area), adjustment));
    return picture;
  };
  // Turned in place: the centre stays, the picture shows through the corners.
  const auto turnedInArea = [&](double degrees) {
    QImage picture = base.convertToFormat(QImage::Format_ARGB32);
    const QImage turned = Adjusted(base.copy(area), {Adjust::kRotate, 0, 0, degrees});
    QPainter painter(&picture);
    painter.fillRect(area, QColor::fromRgb(canvas));
    painter.drawImage(
        QPointF(area.topLeft()) + QPointF(std::floor((area.width() - turned.width()) / 2.0),
                                          std::floor((area.height() - turned.height()) / 2.0)),
        turned);
    return picture;
  };
  using enum Adjust;
  using Command = void (AdjustMenu::*)();
  const struct {
    const char* name;
    const char* type;
    bool selected;
    Command command;
    std::vector<double> chosen;  // empty: no dialog
    bool ok;
    QImage expected;
  } rows[] = {
      {"brighter picture",
       "png",
       false,
       &AdjustMenu::BrightnessContrast,
       {40, 20},
       true,
       Adjusted(base, {kBrightnessContrast, 40, 20})},
      {"saturation cancelled", "png", false, &AdjustMenu::Saturation, {-60}, false, base},
      {"brighter selection",
       "png",
       true,
       &AdjustMenu::BrightnessContrast,
       {-30, 0},
       true,
       inArea({kBrightnessContrast, -30})},
      {"turned with clear corners",
       "png",
       false,
       &AdjustMenu::Rotate,
       {10},
       true,
       Adjusted(base, {kRotate, 0, 0, 10, 0})},
      {"a bitmap turned on the canvas colour",
       "bmp",
       false,
       &AdjustMenu::Rotate,
       {-7.5},
       true,
       Adjusted(base, {kRotate, 0, 0, -7.5, canvas})},
      {"turned selection", "png", true, &AdjustMenu::Rotate, {30}, true, turnedInArea(30)},
      {"greyscale selection", "png", true, &AdjustMenu::Greyscale, {}, true, inArea({kGreyscale})},
      {"inverted picture",
       "bmp",
       false,
       &AdjustMenu::InvertColours,
       {},
       true,
       Adjusted(base, {kInvert})},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(sketchly->OpenAtStart(dir.filePath(QStringLiteral("base.") + row.type)));
    if (row.selected) sketchly->Doc().GetSelection().Select(area);
    QApplication::processEvents();
    const QImage shownBefore = Canvas().grab().toImage();
    bool asked = false, previewed = false, untouched = false;
    if (!row.chosen.empty()) {
      QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        asked = true;
        const auto fields = dialog->findChildren<QDoubleSpinBox*>();
        ASSERT_EQ(fields.size(), static_cast<qsizetype>(row.chosen.size()));
        for (qsizetype i = 0; i < fields.size(); ++i) fields[i]->setValue(row.chosen[i]);
        QTest::qWait(20);
        Canvas().repaint();
        previewed = Canvas().grab().toImage() != shownBefore;
        untouched = Drawing() == base.convertToFormat(Drawing().format()) &&
                    sketchly->Doc().History().Steps() == 0 && !sketchly->Doc().IsModified();
        dialog->findChild<QDialogButtonBox*>()
            ->button(row.ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)
            ->click();
      });
    }
    (sketchly->Adjust().*row.command)();
    EXPECT_EQ(asked, !row.chosen.empty());
    EXPECT_EQ(previewed, asked) << "shown on the canvas";
    EXPECT_EQ(untouched, asked) << "not one pixel changed by the preview";
    const QImage drawn = Drawing().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(drawn, row.expected.convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(sketchly->Doc().History().Steps(), row.ok ? 1U : 0U);
    if (row.ok) {
      sketchly->Edit().Undo();
      EXPECT_EQ(Drawing().convertToFormat(QImage::Format_RGB32), base) << "undone";
      if (row.selected) sketchly->Doc().GetSelection().Select(area);
    }
    QApplication::processEvents();
    EXPECT_EQ(Canvas().grab().toImage(), shownBefore) << "nothing of the preview is left";
  }
}

}  // namespace
}  // namespace paint
