#pragma once

#include <QImage>
#include <QObject>
#include <QRectF>
#include <QString>
#include <memory>

#include "paint/commands/workbench.h"
#include "paint/image/adjustments.h"

namespace paint {

// Image > Adjust: brightness and contrast, saturation, greyscale, inverted
// colours and a turn by any angle, on the selection when there is one, else
// on the picture. A dialog shows its choice live on the canvas, drawn over
// the picture without changing a pixel of it; OK makes one step named after
// the menu item, Cancel leaves everything as it was.
class AdjustMenu : public QObject {
 public:
  explicit AdjustMenu(const Workbench& bench);
  ~AdjustMenu() override;

  void BrightnessContrast();
  void Saturation();
  void Greyscale();
  void InvertColours();
  void Rotate();

  // What the dialogs do with a choice: shown over the canvas from a sample
  // at the view's resolution, made once at the beginning; and the real
  // thing, as one step.
  void BeginPreview();
  void Preview(const Adjustment& adjustment);
  void EndPreview();
  void Apply(const Adjustment& adjustment);

 private:
  struct Sample;
  // A turn's corners: transparent where the file's type keeps transparency,
  // else the canvas colour; on a selection, the picture shows through.
  QRgb Corners() const;
  void ApplyToSelection(const Adjustment& adjustment, const QString& name);

  Workbench bench_;
  std::unique_ptr<Sample> sample_;  // while a dialog previews
};

}  // namespace paint
