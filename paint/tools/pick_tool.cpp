#include "paint/tools/pick_tool.h"

#include "common/i18n.h"
#include "common/picture_box.h"

namespace paint {

QString PickTool::Description() const {
  return common::Tr("paint", "Pick Colour: click the picture to take its colour");
}

void PickTool::Press(QPoint at) {
  common::PictureBox& canvas = Context().Canvas();
  if (!canvas.InnerRect().contains(at)) return;
  const QRgb colour = canvas.Pixel(at.x(), at.y());
  Context().SetColour(common::ColourFromRgb(qRed(colour), qGreen(colour), qBlue(colour)));
  Context().ReturnToToolBefore();
}

}  // namespace paint
