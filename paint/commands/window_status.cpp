#include "paint/commands/window_status.h"

#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>

#include "common/i18n.h"
#include "common/text.h"
#include "paint/document/document.h"
#include "paint/form1.h"

namespace paint {

WindowStatus::WindowStatus(const Workbench& bench) : QObject(&bench.form), bench_(bench) {
  // The picture's size and the view's zoom, below the window's own area.
  QStatusBar& status = bench.form.AddStatusBar();
  size_ = new QLabel(&status);
  zoom_ = new QLabel(&status);
  // A mark while the picture says where it was taken, which a shared copy
  // would give away.
  auto* located = new QLabel(common::Tr("paint", "Location"), &status);
  located->setToolTip(common::Tr("paint", "The picture tells where it was taken"));
  located->setAccessibleName(located->toolTip());
  status.addPermanentWidget(located);
  status.addPermanentWidget(size_);
  status.addPermanentWidget(zoom_);
  bench.form.Canvas().zoomChanged.Add([this] { ShowSizeAndZoom(); });
  bench.document.changed.Add([this, located] {
    ShowCaption();
    ShowSizeAndZoom();
    located->setVisible(bench_.document.Source().details.located);
  });
  located->setVisible(bench.document.Source().details.located);
  ShowCaption();
  ShowSizeAndZoom();
}

void WindowStatus::ShowCaption() {
  Form1& form = bench_.form;
  const QString caption = common::ToQString(form.Caption());
  const QString& file = bench_.document.File();
  if (file.isEmpty()) {
    form.setWindowTitle(caption);
    form.setWindowModified(false);
  } else {
    form.setWindowTitle(QFileInfo(file).fileName() + QStringLiteral("[*] – ") + caption);
    form.setWindowModified(bench_.document.IsModified());
  }
}

void WindowStatus::ShowSizeAndZoom() {
  const common::PictureBox& canvas = bench_.form.Canvas();
  const QLocale locale;
  // Image sizes are written without digit grouping: 3024 × 4032.
  const QString size =
      common::Tr("paint", "%1 × %2")
          .arg(QString::number(canvas.InnerWidth()), QString::number(canvas.InnerHeight()));
  const QString zoom =
      common::Tr("paint", "%1 %").arg(locale.toString(qRound(canvas.Zoom() * 100)));
  // A screen reader hears only a change.
  if (size == size_->text() && zoom == zoom_->text()) return;
  size_->setText(size);
  zoom_->setText(zoom);
  size_->setAccessibleName(common::Tr("paint", "Picture size: %1").arg(size));
  zoom_->setAccessibleName(common::Tr("paint", "Zoom: %1").arg(zoom));
}

}  // namespace paint
