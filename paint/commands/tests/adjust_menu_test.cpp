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
  using enum Adjust;
  const struct {
    const char* name;
    const char* type;
    bool selected;
    Adjustment adjustment;  // with the corners the menu should choose
    bool ok;
  } rows[] = {
      {"brighter picture", "png", false, {kBrightnessContrast, 40, 20}, true},
      {"saturation cancelled", "png", false, {kSaturation, -60}, false},
      {"brighter selection", "png", true, {kBrightnessContrast, -30}, true},
      {"turned with clear corners", "png", false, {kRotate, 0, 0, 10, 0}, true},
      {"a bitmap turned on the canvas colour", "bmp", false, {kRotate, 0, 0, -7.5, canvas}, true},
      {"turned selection", "png", true, {kRotate, 0, 0, 30}, true},
      {"greyscale selection", "png", true, {kGreyscale}, true},
      {"inverted picture", "bmp", false, {kInvert}, true},
  };
  using Command = void (AdjustMenu::*)();
  const Command commands[] = {&AdjustMenu::BrightnessContrast, &AdjustMenu::Saturation,
                              &AdjustMenu::Greyscale, &AdjustMenu::InvertColours,
                              &AdjustMenu::Rotate};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Adjustment& adjustment = row.adjustment;
    // A selection turned keeps its centre, the picture showing through its corners.
    QImage expected = base.convertToFormat(QImage::Format_ARGB32);
    if (row.ok && !row.selected) expected = Adjusted(base, adjustment);
    if (row.ok && row.selected) {
      const QImage pixels = Adjusted(base.copy(area), adjustment);
      QPainter painter(&expected);
      if (adjustment.kind == kRotate) painter.fillRect(area, QColor::fromRgb(canvas));
      painter.drawImage(area.topLeft() + QPoint(int(std::floor((12 - pixels.width()) / 2.0)),
                                                int(std::floor((10 - pixels.height()) / 2.0))),
                        pixels);
    }
    std::vector<double> chosen;  // what the dialog is told, if there is one
    if (adjustment.kind == kBrightnessContrast)
      chosen = {1.0 * adjustment.amount, 1.0 * adjustment.contrast};
    if (adjustment.kind == kSaturation) chosen = {1.0 * adjustment.amount};
    if (adjustment.kind == kRotate) chosen = {adjustment.degrees};
    ASSERT_TRUE(sketchly->OpenAtStart(dir.filePath(QStringLiteral("base.") + row.type)));
    if (row.selected) sketchly->Doc().GetSelection().Select(area);
    QApplication::processEvents();
    const QImage shownBefore = Canvas().grab().toImage();
    bool previewed = false, untouched = false;
    if (!chosen.empty())
      QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        const auto fields = dialog->findChildren<QDoubleSpinBox*>();
        ASSERT_EQ(fields.size(), static_cast<qsizetype>(chosen.size()));
        for (qsizetype i = 0; i < fields.size(); ++i) fields[i]->setValue(chosen[i]);
        QTest::qWait(20);
        Canvas().repaint();
        previewed = Canvas().grab().toImage() != shownBefore;
        untouched = Drawing() == base.convertToFormat(Drawing().format()) &&
                    sketchly->Doc().History().Steps() == 0 && !sketchly->Doc().IsModified();
        dialog->findChild<QDialogButtonBox*>()
            ->button(row.ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)
            ->click();
      });
    (sketchly->Adjust().*commands[static_cast<int>(adjustment.kind)])();
    EXPECT_EQ(previewed, !chosen.empty()) << "shown on the canvas";
    EXPECT_EQ(untouched, !chosen.empty()) << "not one pixel changed by the preview";
    EXPECT_EQ(Drawing().convertToFormat(QImage::Format_ARGB32),
              expected.convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(sketchly->Doc().History().Steps(), row.ok ? 1U : 0U);
    if (!row.ok) {
      EXPECT_EQ(Canvas().grab().toImage(), shownBefore) << "the preview is gone";
    }
    sketchly->Edit().Undo();
    EXPECT_EQ(Drawing().convertToFormat(QImage::Format_RGB32), base) << "undone";
  }
}

}  // namespace
}  // namespace paint
