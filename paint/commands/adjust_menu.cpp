#include "paint/commands/adjust_menu.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <new>

#include "common/i18n.h"
#include "common/menu.h"
#include "common/picture_box.h"
#include "common/raster.h"
#include "paint/commands/adjust_dialog.h"
#include "paint/document/document.h"
#include "paint/document/picture_limits.h"
#include "paint/files/save_policy.h"
#include "paint/form1.h"
#include "paint/image/image_ops.h"
#include "paint/tools/tool_box.h"

namespace paint {
namespace {

using common::MenuItem;

// In the order of Adjust's kinds.
constexpr MenuItem<AdjustMenu> kMenu[] = {
    {QT_TRANSLATE_NOOP("menus", "Ad&just"),
     QT_TRANSLATE_NOOP("menus", "&Brightness and Contrast..."), QKeySequence::UnknownKey, "",
     &AdjustMenu::BrightnessContrast},
    {QT_TRANSLATE_NOOP("menus", "Ad&just"), QT_TRANSLATE_NOOP("menus", "&Saturation..."),
     QKeySequence::UnknownKey, "", &AdjustMenu::Saturation},
    {QT_TRANSLATE_NOOP("menus", "Ad&just"), QT_TRANSLATE_NOOP("menus", "&Greyscale"),
     QKeySequence::UnknownKey, "", &AdjustMenu::Greyscale},
    {QT_TRANSLATE_NOOP("menus", "Ad&just"), QT_TRANSLATE_NOOP("menus", "&Invert Colours"),
     QKeySequence::UnknownKey, "", &AdjustMenu::InvertColours},
    {QT_TRANSLATE_NOOP("menus", "Ad&just"), QT_TRANSLATE_NOOP("menus", "&Rotate..."),
     QKeySequence::UnknownKey, "", &AdjustMenu::Rotate},
};

QString StepName(Adjust kind) {
  QString name = common::MenuText(kMenu[static_cast<size_t>(kind)].text);
  if (name.endsWith(QStringLiteral("..."))) name.chop(3);
  if (name.endsWith(u'…')) name.chop(1);
  return name;
}

// Translucent pixels over a checkerboard, as the canvas shows them.
QImage OverChecks(const QImage& pixels) {
  if (!pixels.hasAlphaChannel()) return pixels;
  QImage shown(pixels.size(), QImage::Format_RGB32);
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) shown.setPixel(x, y, common::Raster::Checker(x, y));
  QPainter(&shown).drawImage(0, 0, pixels);
  return shown;
}

}  // namespace

// The source of a preview (the picture or the selection) at the view's
// resolution, and what the last choice made of the part in view.
struct AdjustMenu::Sample {
  QRect source;           // picture coordinates
  bool selected;          // the source is the selection
  bool fromCanvas;        // the picture was shared: its next drawing copies it
  QImage pixels;          // the source, reduced when zoomed out
  double scaleX, scaleY;  // sample pixels a picture pixel
  QRect view;             // the part of the picture in view
  QImage shown;           // the choice's result, of the part in view
  QRectF shownAt;         // where that stands, picture coordinates
  bool turned = false;
};

AdjustMenu::AdjustMenu(const Workbench& bench) : QObject(&bench.form), bench_(bench) {
  Form1& form = bench.form;
  QMenu& image = common::MenuNamed(form.AddMenuBar(), common::Tr("menus", "&Image"));
  image.addSeparator();
  QMenu* adjust = image.addMenu(common::Tr("menus", kMenu[0].menu.data()));
  for (const MenuItem<AdjustMenu>& item : kMenu) {
    QAction* action = adjust->addAction(common::Tr("menus", item.text.data()));
    connect(action, &QAction::triggered, this,
            [this, &form, command = item.command] { form.Run([&] { (this->*command)(); }); });
  }
  form.Canvas().paintOver.Add([this](QPainter& painter) {
    if (!sample_ || sample_->shown.isNull()) return;
    if (sample_->turned) {
      // What the turn leaves uncovered.
      const bool pasted = sample_->selected && bench_.document.GetSelection().Pasted();
      if (!pasted)
        painter.fillRect(sample_->source,
                         QColor::fromRgb(common::ResolveColour(bench_.form.Canvas().BackColor())));
    }
    painter.drawImage(sample_->shownAt, sample_->shown);
  });
}

AdjustMenu::~AdjustMenu() = default;

QRgb AdjustMenu::Corners() const {
  QImage clear(1, 1, QImage::Format_ARGB32);
  clear.fill(0);
  if (Losses(WritableName(bench_.document.File()), clear, ImageSource()).isEmpty()) return 0;
  return common::ResolveColour(bench_.form.Canvas().BackColor()) | 0xff000000U;
}

void AdjustMenu::BeginPreview() {
  EndPreview();
  common::PictureBox& canvas = bench_.form.Canvas();
  const Selection& selection = bench_.document.GetSelection();
  auto sample = std::make_unique<Sample>();
  sample->selected = selection.Active();
  sample->source = sample->selected ? selection.Area() : canvas.InnerRect();
  sample->fromCanvas = !sample->selected;
  const QImage source = sample->selected ? selection.Pixels() : canvas.Picture();
  // Zoomed out, a device pixel shows several picture pixels: one is enough.
  const double reduced = std::min(1.0, canvas.Zoom() * canvas.devicePixelRatioF());
  const QSize size(std::max(1, static_cast<int>(std::lround(source.width() * reduced))),
                   std::max(1, static_cast<int>(std::lround(source.height() * reduced))));
  sample->pixels = size == source.size() ? source : Scaled(source, size);
  sample->scaleX = double(size.width()) / source.width();
  sample->scaleY = double(size.height()) / source.height();
  sample->view = canvas.ViewRect();
  sample_ = std::move(sample);
}

void AdjustMenu::Preview(const Adjustment& given) {
  if (!sample_) BeginPreview();
  Sample& sample = *sample_;
  Adjustment adjustment = given;
  sample.turned = adjustment.kind == Adjust::kRotate;
  if (sample.turned) adjustment.corners = sample.selected ? 0 : Corners();
  // The result centred where the source is; only the part in view is made.
  const QSize made = AdjustedSize(sample.pixels.size(), adjustment);
  const QPointF centre = QRectF(sample.source).center();
  const QPointF half(made.width() / 2.0, made.height() / 2.0);
  const QRectF view(
      QPointF((sample.view.left() - centre.x()) * sample.scaleX,
              (sample.view.top() - centre.y()) * sample.scaleY) +
          half,
      QSizeF(sample.view.width() * sample.scaleX, sample.view.height() * sample.scaleY));
  const QRect part = view.toAlignedRect() & QRect(QPoint(), made);
  const QImage shown = AdjustedPart(sample.pixels, adjustment, part);
  sample.shown = sample.turned && sample.selected ? shown : OverChecks(shown);
  const QPointF at = QPointF(part.left() - half.x(), part.top() - half.y());
  sample.shownAt = QRectF(centre + QPointF(at.x() / sample.scaleX, at.y() / sample.scaleY),
                          QSizeF(part.width() / sample.scaleX, part.height() / sample.scaleY));
  bench_.form.Canvas().RepaintView();
}

void AdjustMenu::EndPreview() {
  if (!sample_) return;
  const bool fromCanvas = sample_->fromCanvas;
  sample_.reset();
  common::PictureBox& canvas = bench_.form.Canvas();
  if (fromCanvas) canvas.CopyAhead();  // the picture stays, shared with the sample that was
  canvas.RepaintView();
}

void AdjustMenu::Apply(const Adjustment& given) {
  Adjustment adjustment = given;
  const QString name = StepName(adjustment.kind);
  Document& document = bench_.document;
  const bool selected = document.GetSelection().Active();
  if (adjustment.kind == Adjust::kRotate) {
    adjustment.corners = selected ? 0 : Corners();
    const QSize size = AdjustedSize(
        selected ? document.GetSelection().Area().size() : bench_.form.Canvas().InnerRect().size(),
        adjustment);
    if (!WithinLimit(size)) {
      bench_.Box(
          common::Tr("paint",
                     "Turned, the picture would be %1 × %2 pixels: at most %3 a side can be.")
              .arg(size.width())
              .arg(size.height())
              .arg(kMaxPictureSide),
          common::kCritical);
      return;
    }
  }
  if (selected) {
    ApplyToSelection(adjustment, name);
    return;
  }
  bench_.tools.Settle();
  const QString busy = adjustment.kind == Adjust::kRotate
                           ? common::Tr("paint", "Rotating the picture...")
                           : common::Tr("paint", "Adjusting the picture...");
  const std::optional<QImage> made = bench_.MadeAside(
      busy, [adjustment](const QImage& picture) { return Adjusted(picture, adjustment); });
  if (made) document.Edit(name, [&] { bench_.form.Canvas().SetPicture(*made); });
}

void AdjustMenu::ApplyToSelection(const Adjustment& adjustment, const QString& name) {
  Selection& selection = bench_.document.GetSelection();
  const QRect area = selection.Area();
  const QImage pixels = Adjusted(selection.Pixels(), adjustment);
  if (pixels.isNull()) throw std::bad_alloc();
  // A turn keeps the selection's centre.
  const QPoint topLeft =
      area.topLeft() +
      QPoint(static_cast<int>(std::floor((area.width() - pixels.width()) / 2.0)),
             static_cast<int>(std::floor((area.height() - pixels.height()) / 2.0)));
  if (selection.Pasted()) {  // not in the picture yet
    selection.Replace(pixels);
    selection.MoveTo(topLeft);
    return;
  }
  common::PictureBox& canvas = bench_.form.Canvas();
  bench_.document.Edit(name, [&] {
    if (adjustment.kind != Adjust::kRotate) {
      if (selection.Floating()) {
        selection.Replace(pixels);
        selection.SetDown();
      } else {
        canvas.PutRegion(area.topLeft(), pixels);
      }
      return;
    }
    // What it covered gets the canvas colour; the turned pixels land over
    // the picture, which shows through their corners.
    selection.Lift(common::ResolveColour(canvas.BackColor()));
    const QRect target(topLeft, pixels.size());
    const QRect under = target & canvas.InnerRect();
    QImage landed(pixels.size(), QImage::Format_ARGB32);
    landed.fill(0);
    {
      QPainter painter(&landed);
      painter.setCompositionMode(QPainter::CompositionMode_Source);
      painter.drawImage(under.topLeft() - target.topLeft(), canvas.Region(under));
      painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
      painter.drawImage(0, 0, pixels);
    }
    selection.Replace(landed);
    selection.MoveTo(topLeft);
    selection.SetDown();
  });
}

namespace {

// Ends the preview however the dialog ends.
struct Previewing {
  explicit Previewing(AdjustMenu& menu) : menu(menu) { menu.BeginPreview(); }
  ~Previewing() { menu.EndPreview(); }
  Previewing(const Previewing&) = delete;
  Previewing& operator=(const Previewing&) = delete;
  AdjustMenu& menu;
};

}  // namespace

void AdjustMenu::BrightnessContrast() {
  std::optional<std::pair<int, int>> chosen;
  {
    const Previewing previewing(*this);
    chosen = AskBrightnessContrast(&bench_.form, [this](int brightness, int contrast) {
      Preview({Adjust::kBrightnessContrast, brightness, contrast});
    });
  }
  if (chosen && (chosen->first != 0 || chosen->second != 0))
    Apply({Adjust::kBrightnessContrast, chosen->first, chosen->second});
}

void AdjustMenu::Saturation() {
  std::optional<int> chosen;
  {
    const Previewing previewing(*this);
    chosen = AskSaturation(&bench_.form, [this](int saturation) {
      Preview({Adjust::kSaturation, saturation});
    });
  }
  if (chosen && *chosen != 0) Apply({Adjust::kSaturation, *chosen});
}

void AdjustMenu::Greyscale() {
  Apply({Adjust::kGreyscale});
}

void AdjustMenu::InvertColours() {
  Apply({Adjust::kInvert});
}

void AdjustMenu::Rotate() {
  std::optional<double> chosen;
  {
    const Previewing previewing(*this);
    chosen = AskRotation(&bench_.form, [this](double degrees) {
      Preview({Adjust::kRotate, 0, 0, degrees});
    });
  }
  if (chosen && *chosen != 0) Apply({Adjust::kRotate, 0, 0, *chosen});
}

}  // namespace paint
