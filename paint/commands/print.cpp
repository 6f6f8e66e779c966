#include "paint/commands/print.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QMenu>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>

#include "common/aside.h"
#include "common/dialogs.h"
#include "common/i18n.h"
#include "common/menu.h"
#include "paint/document/document.h"
#include "paint/form1.h"
#include "paint/image/image_ops.h"

namespace paint {
namespace {

using common::MenuItem;

constexpr MenuItem<PrintMenu> kMenu[] = {
    {QT_TRANSLATE_NOOP("menus", "&File"), QT_TRANSLATE_NOOP("menus", "Print Pre&view..."),
     QKeySequence::UnknownKey, "", &PrintMenu::PrintPreview},
    {QT_TRANSLATE_NOOP("menus", "&File"), QT_TRANSLATE_NOOP("menus", "&Print..."),
     QKeySequence::Print, "", &PrintMenu::Print},
};

// A picture pixel is a pixel of the screen at 100 %: 96 to the inch.
constexpr double kPictureDpi = 96.0;
// Enough for a preview on any screen; a photo's own pixels would take long
// to record for it.
constexpr double kPreviewDpi = 150.0;

// The page, laid out for a picture of `size` pixels (the pixels drawn may be
// fewer). Any thread: Qt paints on printers outside the user-interface
// thread too.
bool Paint(QPrinter& printer, const QImage& pixels, QSize size, bool enlarge,
           const std::atomic<bool>* cancelled) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(PrintedRect(page.size(), size, printer.resolution() / kPictureDpi, enlarge),
                    pixels);
  if (cancelled != nullptr && *cancelled) printer.abort();
  return painter.end();
}

}  // namespace

QRectF PrintedRect(const QSizeF& area, const QSize& size, double dotsPerPixel, bool enlarge) {
  if (size.isEmpty() || area.isEmpty()) return {};
  const QSizeF natural = QSizeF(size) * dotsPerPixel;
  double scale = std::min(area.width() / natural.width(), area.height() / natural.height());
  if (!enlarge) scale = std::min(scale, 1.0);
  const QSizeF printed = natural * scale;
  return {QPointF((area.width() - printed.width()) / 2, (area.height() - printed.height()) / 2),
          printed};
}

PrintMenu::PrintMenu(const Workbench& bench) : QObject(&bench.form), bench_(bench) {
  Form1& form = bench.form;
  QMenu& file = common::MenuNamed(form.AddMenuBar(), common::Tr("menus", kMenu[0].menu.data()));
  // Above Quit.
  QAction* quit = common::ActionNamed(file, "&Quit");
  file.insertSeparator(quit);
  for (const MenuItem<PrintMenu>& item : kMenu) {
    auto* action = new QAction(common::Tr("menus", item.text.data()), &file);
    action->setShortcuts(common::Shortcuts(item.key, item.extraKeys));
    file.insertAction(quit, action);
    connect(action, &QAction::triggered, this,
            [this, &form, command = item.command] { form.Run([&] { (this->*command)(); }); });
  }
  file.insertSeparator(quit);
}

QList<common::ShortcutRow> PrintMenu::ShortcutRows() const {
  return common::ShortcutRows<PrintMenu>(kMenu);
}

QImage PrintMenu::Printed() const {
  QImage picture = bench_.form.Canvas().Picture();
  const Selection& selection = bench_.document.GetSelection();
  if (selection.Floating()) {
    picture = picture.copy();
    QPainter(&picture).drawImage(selection.Area().topLeft(), selection.Pixels());
  }
  return picture;
}

void PrintMenu::Prepare(QPrinter& printer, const QImage& picture) const {
  printer.setPageOrientation(picture.width() > picture.height() ? QPageLayout::Landscape
                                                                : QPageLayout::Portrait);
  const QString& file = bench_.document.File();
  printer.setDocName(file.isEmpty() ? common::Tr("paint", "drawing") : QFileInfo(file).fileName());
}

void PrintMenu::Print() {
  PrintTo(std::make_shared<QPrinter>(QPrinter::HighResolution), true);
}

bool PrintMenu::PrintTo(const std::shared_ptr<QPrinter>& printer, bool ask) {
  const QImage picture = Printed();
  Prepare(*printer, picture);
  if (ask) {
    QPrintDialog dialog(printer.get(), &bench_.form);
    // Gone before the dialog, whether the dialog took it or not.
    const auto options = std::make_unique<QWidget>();
    options->setWindowTitle(common::Tr("paint", "Picture"));
    auto* enlarge = new QCheckBox(common::Tr("paint", "En&large a small picture to fill the page"));
    enlarge->setChecked(enlarge_);
    (new QVBoxLayout(options.get()))->addWidget(enlarge);
    dialog.setOptionTabs({options.get()});
    if (dialog.exec() != QDialog::Accepted) return false;
    enlarge_ = enlarge->isChecked();
  }
  auto cancelled = std::make_shared<std::atomic<bool>>(false);
  auto printed = std::make_shared<bool>(false);
  const bool enlarge = enlarge_;
  const bool finished = common::RunAside(
      &bench_.form, common::Tr("paint", "Printing %1...").arg(printer->docName()),
      [printer, picture, enlarge, cancelled, printed] {
        *printed = Paint(*printer, picture, picture.size(), enlarge, cancelled.get());
      });
  if (!finished) {
    // The picture stays, shared with the printing: the next stroke's copy
    // is made aside meanwhile. Once printed, no copy is needed at all.
    bench_.form.Canvas().CopyAhead();
    *cancelled = true;  // the page is dropped if it can still be
    return false;
  }
  if (!*printed) {
    bench_.Box(common::Tr("paint", "Could not print the picture: the printer did not start."),
               common::kCritical);
    return false;
  }
  return true;
}

void PrintMenu::PrintPreview() {
  const QImage picture = Printed();
  // Shared with printing aside, which may outlive the dialog when cancelled.
  const auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
  Prepare(*printer, picture);
  QPrintPreviewDialog dialog(printer.get(), &bench_.form);
  QImage reduced;
  connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
    const bool preview =
        target->paintEngine() != nullptr && target->paintEngine()->type() == QPaintEngine::Picture;
    const bool enlarge = enlarge_;
    if (!preview) {
      // Printed from the preview: the picture itself, aside.
      auto printed = std::make_shared<bool>(false);
      if (common::RunAside(&dialog, common::Tr("paint", "Printing %1...").arg(target->docName()),
                           [printer, picture, enlarge, printed] {
                             *printed = Paint(*printer, picture, picture.size(), enlarge, nullptr);
                           }) &&
          !*printed)
        bench_.Box(common::Tr("paint", "Could not print the picture: the printer did not start."),
                   common::kCritical);
      return;
    }
    const QRectF page = target->pageRect(QPrinter::DevicePixel);
    const QRectF at =
        PrintedRect(page.size(), picture.size(), target->resolution() / kPictureDpi, enlarge);
    const QSize most = picture.size().scaled(
        (at.size() * kPreviewDpi / target->resolution()).toSize().expandedTo({1, 1}),
        Qt::KeepAspectRatio);
    if (picture.width() > most.width() && reduced.size() != most) reduced = Scaled(picture, most);
    Paint(*target, picture.width() > most.width() ? reduced : picture, picture.size(), enlarge,
          nullptr);
  });
  auto* enlarge = new QAction(common::Tr("paint", "Enlarge to Fill the Page"), &dialog);
  enlarge->setCheckable(true);
  enlarge->setChecked(enlarge_);
  if (auto* bar = dialog.findChild<QToolBar*>()) {
    bar->addSeparator();
    bar->addAction(enlarge);
  }
  connect(enlarge, &QAction::toggled, &dialog, [this, &dialog](bool on) {
    enlarge_ = on;
    if (auto* view = dialog.findChild<QPrintPreviewWidget*>()) view->updatePreview();
  });
  dialog.exec();
}

}  // namespace paint
