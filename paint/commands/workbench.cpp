#include "paint/commands/workbench.h"

#include <memory>
#include <new>

#include "common/aside.h"
#include "paint/document/document.h"
#include "paint/form1.h"

namespace paint {

int Workbench::Box(const QString& prompt, int buttons) const {
  return form.MsgBox(prompt.toStdString(), buttons, form.Caption());
}

std::optional<QImage> Workbench::MadeAside(const QString& text,
                                           std::function<QImage(const QImage&)> make) const {
  auto result = std::make_shared<QImage>();
  // The new picture joins this one: no step is held unpacked beside them.
  document.History().LetGo();
  common::PictureBox& canvas = form.Canvas();
  const QImage picture = canvas.Picture();
  if (!common::RunAside(&form, text,
                        [result, picture, make = std::move(make)] { *result = make(picture); })) {
    canvas.CopyAhead();  // the picture stays, shared with the work that was cut short
    return std::nullopt;
  }
  if (result->isNull()) throw std::bad_alloc();
  return *result;
}

}  // namespace paint
