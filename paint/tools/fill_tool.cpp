#include "paint/tools/fill_tool.h"

#include "common/i18n.h"
#include "common/picture_box.h"
#include "paint/document/document.h"
#include "paint/image/image_ops.h"

namespace paint {

QString FillTool::Description() const {
  return common::Tr("paint",
                    "Fill: click an area of one colour to fill it with the current colour");
}

void FillTool::Press(QPoint at) {
  common::PictureBox& canvas = Context().Canvas();
  if (!canvas.InnerRect().contains(at)) return;
  const QRgb colour = common::ResolveColour(Context().Colour());
  Context().Doc().Edit(common::Tr("paint", "Fill"), [&] {
    canvas.Modify(
        [&](QImage& picture, const auto& keep) { return Fill(picture, at, colour, keep); });
  });
}

}  // namespace paint
