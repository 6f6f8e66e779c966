#include "paint/commands/image_menu.h"

#include <QAction>

#include "common/i18n.h"
#include "common/menu.h"
#include "paint/commands/picture_size.h"
#include "paint/document/document.h"
#include "paint/form1.h"
#include "paint/tools/tool_box.h"

namespace paint {
namespace {

using common::MenuItem;

constexpr MenuItem<ImageMenu> kMenu[] = {
    {QT_TRANSLATE_NOOP("menus", "&Image"), QT_TRANSLATE_NOOP("menus", "Picture &Size..."),
     QKeySequence::UnknownKey, "", &ImageMenu::PictureSize},
    {QT_TRANSLATE_NOOP("menus", "&Image"), QT_TRANSLATE_NOOP("menus", "Sc&ale..."),
     QKeySequence::UnknownKey, "Ctrl+E", &ImageMenu::Scale},
    {QT_TRANSLATE_NOOP("menus", "&Image"), QT_TRANSLATE_NOOP("menus", "C&rop to Selection"),
     QKeySequence::UnknownKey, "Ctrl+Shift+X", &ImageMenu::CropToSelection},
    {QT_TRANSLATE_NOOP("menus", "&Image"), QT_TRANSLATE_NOOP("menus", "Rotate 90° &Clockwise"),
     QKeySequence::UnknownKey, "Ctrl+R", &ImageMenu::RotateClockwise},
    {QT_TRANSLATE_NOOP("menus", "&Image"),
     QT_TRANSLATE_NOOP("menus", "Rotate 90° Counter-Clock&wise"), QKeySequence::UnknownKey,
     "Ctrl+Shift+R", &ImageMenu::RotateCounterClockwise},
    {QT_TRANSLATE_NOOP("menus", "&Image"), QT_TRANSLATE_NOOP("menus", "Rotate &180°"),
     QKeySequence::UnknownKey, "Ctrl+Shift+U", &ImageMenu::RotateHalf},
    {QT_TRANSLATE_NOOP("menus", "&Image"), QT_TRANSLATE_NOOP("menus", "Flip &Horizontally"),
     QKeySequence::UnknownKey, "Ctrl+Shift+H", &ImageMenu::FlipHorizontally},
    {QT_TRANSLATE_NOOP("menus", "&Image"), QT_TRANSLATE_NOOP("menus", "Flip &Vertically"),
     QKeySequence::UnknownKey, "Ctrl+Shift+V", &ImageMenu::FlipVertically},
};
enum : size_t {
  kSizeItem,
  kScaleItem,
  kCropItem,
  kClockwiseItem,
  kCounterClockwiseItem,
  kHalfItem,
  kHorizontalItem,
  kVerticalItem
};

// A step is named as the menu item that made it, without its dots.
QString StepName(size_t item) {
  QString name = common::MenuText(kMenu[item].text);
  if (name.endsWith(QStringLiteral("..."))) name.chop(3);
  if (name.endsWith(u'…')) name.chop(1);
  return name;
}

}  // namespace

ImageMenu::ImageMenu(const Workbench& bench) : QObject(&bench.form), bench_(bench) {
  actions_ = common::AddMenus<ImageMenu>(bench.form, *this, kMenu);
  QAction* crop = actions_[kCropItem];
  crop->setEnabled(false);
  Selection& selection = bench.document.GetSelection();
  bench.document.selectionChanged.Add([crop, &selection] { crop->setEnabled(selection.Active()); });
}

QList<common::ShortcutRow> ImageMenu::ShortcutRows() const {
  return common::ShortcutRows<ImageMenu>(kMenu);
}

void ImageMenu::Transform(size_t item, const QString& busy, const Make& make) {
  bench_.tools.Settle();
  const std::optional<QImage> made = bench_.MadeAside(busy, make);
  if (made) bench_.document.Edit(StepName(item), [&] { bench_.form.Canvas().SetPicture(*made); });
}

void ImageMenu::ReshapeSelection(size_t item, const Make& make) {
  Selection& selection = bench_.document.GetSelection();
  if (selection.Pasted()) {
    selection.Replace(make(selection.Pixels()));  // not in the picture yet
    return;
  }
  // In place: what it covered gets the canvas colour, the new shape lands at
  // the same top left.
  bench_.document.Edit(StepName(item), [&] {
    selection.Lift(common::ResolveColour(bench_.form.Canvas().BackColor()));
    selection.Replace(make(selection.Pixels()));
    selection.SetDown();
  });
}

void ImageMenu::Reshape(size_t item, const QString& busy, const Make& make) {
  if (bench_.document.GetSelection().Active()) {
    ReshapeSelection(item, make);
  } else {
    Transform(item, busy, make);
  }
}

void ImageMenu::PictureSize() {
  const QSize now = bench_.form.Canvas().InnerRect().size();
  const auto size = AskPictureSize(&bench_.form, now);
  if (!size || *size == now) return;
  const QRgb fill = common::ResolveColour(bench_.form.Canvas().BackColor());
  Transform(kSizeItem, common::Tr("paint", "Changing the picture size..."),
            [size = *size, fill](const QImage& picture) { return Resized(picture, size, fill); });
}

void ImageMenu::Scale() {
  const QSize now = bench_.form.Canvas().InnerRect().size();
  const auto size = AskScale(&bench_.form, now);
  if (!size || *size == now) return;
  Transform(kScaleItem, common::Tr("paint", "Scaling the picture..."),
            [size = *size](const QImage& picture) { return Scaled(picture, size); });
}

void ImageMenu::CropToSelection() {
  Selection& selection = bench_.document.GetSelection();
  if (!selection.Active()) return;
  if (selection.Floating()) bench_.document.Edit(StepName(kCropItem), [&] { selection.SetDown(); });
  const QRect area = selection.Area();
  Transform(kCropItem, common::Tr("paint", "Cropping the picture..."),
            [area](const QImage& picture) { return Cropped(picture, area); });
}

void ImageMenu::RotateClockwise() {
  Reshape(kClockwiseItem, common::Tr("paint", "Rotating the picture..."),
          [](const QImage& p) { return Turned(p, Turn::kClockwise); });
}

void ImageMenu::RotateCounterClockwise() {
  Reshape(kCounterClockwiseItem, common::Tr("paint", "Rotating the picture..."),
          [](const QImage& p) { return Turned(p, Turn::kCounterClockwise); });
}

void ImageMenu::RotateHalf() {
  Reshape(kHalfItem, common::Tr("paint", "Rotating the picture..."),
          [](const QImage& p) { return Turned(p, Turn::kHalf); });
}

void ImageMenu::FlipHorizontally() {
  Reshape(kHorizontalItem, common::Tr("paint", "Flipping the picture..."),
          [](const QImage& p) { return Flipped(p, Qt::Horizontal); });
}

void ImageMenu::FlipVertically() {
  Reshape(kVerticalItem, common::Tr("paint", "Flipping the picture..."),
          [](const QImage& p) { return Flipped(p, Qt::Vertical); });
}

}  // namespace paint
