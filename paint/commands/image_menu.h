#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <functional>
#include <vector>

#include "common/help.h"
#include "paint/commands/workbench.h"
#include "paint/image/image_ops.h"

class QAction;

namespace paint {

// Image: the picture's size, scaling, cropping, turns and flips, on the
// selection when there is one, else on the whole picture; each one step.
class ImageMenu : public QObject {
 public:
  explicit ImageMenu(const Workbench& bench);

  void PictureSize();
  void Scale();
  void CropToSelection();
  void RotateClockwise();
  void RotateCounterClockwise();
  void RotateHalf();
  void FlipHorizontally();
  void FlipVertically();
  QList<common::ShortcutRow> ShortcutRows() const;

 private:
  using Make = std::function<QImage(const QImage&)>;
  // Puts a picture made aside in place of the whole, as one step named
  // after the menu item.
  void Transform(size_t item, const QString& busy, const Make& make);
  // Turns or flips the selection when there is one, else the picture.
  void Reshape(size_t item, const QString& busy, const Make& make);
  // The selected pixels made anew in place, as one step.
  void ReshapeSelection(size_t item, const Make& make);

  Workbench bench_;
  std::vector<QAction*> actions_;
};

}  // namespace paint
