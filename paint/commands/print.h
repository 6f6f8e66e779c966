#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QRectF>
#include <QSizeF>
#include <memory>

#include "common/help.h"
#include "paint/commands/workbench.h"

class QPrinter;

namespace paint {

// Where a picture of `size` pixels is printed in a printable area (device
// pixels, from its top left), at `dotsPerPixel` device pixels a picture
// pixel: centred and fitted, and never larger than that unless `enlarge`.
QRectF PrintedRect(const QSizeF& area, const QSize& size, double dotsPerPixel, bool enlarge);

// File > Print and Print Preview through Qt's print support: the picture as
// shown (a floating selection included) on one page turned to its shape,
// each picture pixel a pixel of the screen at 100 % unless it must shrink
// to fit or the user asks it to fill the page. Printing, a PDF file
// included, runs aside.
class PrintMenu : public QObject {
 public:
  explicit PrintMenu(const Workbench& bench);

  void Print();
  void PrintPreview();
  // Turns the page to the picture's shape, asks with the print dialog when
  // asked to, and prints: true when the page was printed. A failure is
  // reported.
  bool PrintTo(const std::shared_ptr<QPrinter>& printer, bool ask);
  QList<common::ShortcutRow> ShortcutRows() const;

 private:
  QImage Printed() const;
  void Prepare(QPrinter& printer, const QImage& picture) const;

  Workbench bench_;
  bool enlarge_ = false;  // a small picture fills the page
};

}  // namespace paint
