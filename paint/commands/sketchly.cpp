#include "paint/commands/sketchly.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QPainter>
#include <QStatusBar>
#include <algorithm>
#include <future>
#include <memory>
#include <new>

#include "common/aside.h"
#include "common/clipboard.h"
#include "common/help.h"
#include "common/i18n.h"
#include "common/menu.h"
#include "common/text.h"
#include "common/zoom.h"
#include "paint/commands/picture_size.h"
#include "paint/commands/quality_dialog.h"
#include "paint/files/save_policy.h"
#include "paint/files/write_image.h"
#include "paint/image/image_ops.h"
#include "paint/tool_buttons.h"

namespace paint {
namespace {

using common::MenuItem;

// No menu title takes the access key E: Alt+E is "&Edit Colors...".
constexpr MenuItem<Sketchly> kMenu[] = {
    {QT_TRANSLATE_NOOP("menus", "&File"), QT_TRANSLATE_NOOP("menus", "&New"), QKeySequence::New, "",
     &Sketchly::New},
    {QT_TRANSLATE_NOOP("menus", "&File"), QT_TRANSLATE_NOOP("menus", "&Open..."),
     QKeySequence::Open, "", &Sketchly::Open},
    {QT_TRANSLATE_NOOP("menus", "&File"), QT_TRANSLATE_NOOP("menus", "&Save"), QKeySequence::Save,
     "", &Sketchly::Save},
    {QT_TRANSLATE_NOOP("menus", "&File"), QT_TRANSLATE_NOOP("menus", "Save &As..."),
     QKeySequence::SaveAs, "Ctrl+Shift+S", &Sketchly::SaveAs},
    {QT_TRANSLATE_NOOP("menus", "&File"), QT_TRANSLATE_NOOP("menus", "&Quit"), QKeySequence::Quit,
     "Ctrl+Q", &Sketchly::Quit},
    {QT_TRANSLATE_NOOP("menus", "E&dit"), QT_TRANSLATE_NOOP("menus", "&Undo"), QKeySequence::Undo,
     "", &Sketchly::Undo},
    {QT_TRANSLATE_NOOP("menus", "E&dit"), QT_TRANSLATE_NOOP("menus", "&Redo"), QKeySequence::Redo,
     "Ctrl+Shift+Z, Ctrl+Y", &Sketchly::Redo},
    {QT_TRANSLATE_NOOP("menus", "E&dit"), QT_TRANSLATE_NOOP("menus", "Cu&t"), QKeySequence::Cut, "",
     &Sketchly::Cut},
    {QT_TRANSLATE_NOOP("menus", "E&dit"), QT_TRANSLATE_NOOP("menus", "&Copy"), QKeySequence::Copy,
     "", &Sketchly::Copy},
    {QT_TRANSLATE_NOOP("menus", "E&dit"), QT_TRANSLATE_NOOP("menus", "&Paste"), QKeySequence::Paste,
     "", &Sketchly::Paste},
    {QT_TRANSLATE_NOOP("menus", "E&dit"), QT_TRANSLATE_NOOP("menus", "&Delete"),
     QKeySequence::Delete, "", &Sketchly::Delete},
    {QT_TRANSLATE_NOOP("menus", "E&dit"), QT_TRANSLATE_NOOP("menus", "Select &All"),
     QKeySequence::SelectAll, "", &Sketchly::SelectAll},
    {QT_TRANSLATE_NOOP("menus", "&View"), QT_TRANSLATE_NOOP("menus", "Zoom &In"),
     QKeySequence::ZoomIn, "Ctrl+=", &Sketchly::ZoomIn},
    {QT_TRANSLATE_NOOP("menus", "&View"), QT_TRANSLATE_NOOP("menus", "Zoom &Out"),
     QKeySequence::ZoomOut, "", &Sketchly::ZoomOut},
    {QT_TRANSLATE_NOOP("menus", "&View"), QT_TRANSLATE_NOOP("menus", "&Actual Size"),
     QKeySequence::UnknownKey, "Ctrl+0", &Sketchly::ActualSize},
    {QT_TRANSLATE_NOOP("menus", "&View"), QT_TRANSLATE_NOOP("menus", "&Fit in Window"),
     QKeySequence::UnknownKey, "", &Sketchly::FitInWindow},
    {QT_TRANSLATE_NOOP("menus", "&Image"), QT_TRANSLATE_NOOP("menus", "Picture &Size..."),
     QKeySequence::UnknownKey, "", &Sketchly::PictureSize},
    {QT_TRANSLATE_NOOP("menus", "&Image"), QT_TRANSLATE_NOOP("menus", "Sc&ale..."),
     QKeySequence::UnknownKey, "Ctrl+E", &Sketchly::Scale},
    {QT_TRANSLATE_NOOP("menus", "&Image"), QT_TRANSLATE_NOOP("menus", "C&rop to Selection"),
     QKeySequence::UnknownKey, "Ctrl+Shift+X", &Sketchly::CropToSelection},
    {QT_TRANSLATE_NOOP("menus", "&Image"), QT_TRANSLATE_NOOP("menus", "Rotate 90° &Clockwise"),
     QKeySequence::UnknownKey, "Ctrl+R", &Sketchly::RotateClockwise},
    {QT_TRANSLATE_NOOP("menus", "&Image"),
     QT_TRANSLATE_NOOP("menus", "Rotate 90° Counter-Clock&wise"), QKeySequence::UnknownKey,
     "Ctrl+Shift+R", &Sketchly::RotateCounterClockwise},
    {QT_TRANSLATE_NOOP("menus", "&Image"), QT_TRANSLATE_NOOP("menus", "Rotate &180°"),
     QKeySequence::UnknownKey, "Ctrl+Shift+U", &Sketchly::RotateHalf},
    {QT_TRANSLATE_NOOP("menus", "&Image"), QT_TRANSLATE_NOOP("menus", "Flip &Horizontally"),
     QKeySequence::UnknownKey, "Ctrl+Shift+H", &Sketchly::FlipHorizontally},
    {QT_TRANSLATE_NOOP("menus", "&Image"), QT_TRANSLATE_NOOP("menus", "Flip &Vertically"),
     QKeySequence::UnknownKey, "Ctrl+Shift+V", &Sketchly::FlipVertically},
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "&Select"),
     QKeySequence::UnknownKey, "R", &Sketchly::SelectTool},
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "Pick &Colour"),
     QKeySequence::UnknownKey, "O", &Sketchly::PickTool},
    {QT_TRANSLATE_NOOP("menus", "&Tools"), QT_TRANSLATE_NOOP("menus", "&Fill"),
     QKeySequence::UnknownKey, "Shift+B", &Sketchly::FillTool},
    {QT_TRANSLATE_NOOP("menus", "&Help"), QT_TRANSLATE_NOOP("menus", "&Keyboard Shortcuts"),
     QKeySequence::HelpContents, "", &Sketchly::ShowShortcuts},
    {QT_TRANSLATE_NOOP("menus", "&Help"), QT_TRANSLATE_NOOP("menus", "&About Sketchly"),
     QKeySequence::UnknownKey, "", &Sketchly::ShowAbout},
    {QT_TRANSLATE_NOOP("menus", "&Help"), QT_TRANSLATE_NOOP("menus", "About &Qt"),
     QKeySequence::UnknownKey, "", &Sketchly::ShowAboutQt},
};

}  // namespace

Sketchly::Sketchly(Form1& form)
    : QObject(&form),
      form_(form),
      canvas_(form.GetPicture("Picture1")),
      history_(canvas_),
      selection_(canvas_),
      tools_(new MenuTools(form, *this, selection_)) {
  // A press on the canvas starts a new step, before its handler draws; a
  // clear is a step of its own.
  form.handlerCalls.Add([this](const common::HandlerCall& call) {
    if ((call.control == "Picture1" && call.event == common::Event::kMouseDown &&
         call.phase == common::HandlerCall::kBefore) ||
        (call.control == "Command1" && call.index == kClear))
      history_.Checkpoint();
    // Not after each move: the release that ends a stroke refreshes for it.
    if (call.phase != common::HandlerCall::kBefore && call.event != common::Event::kMouseMove)
      Refresh();
  });
  form.closing.Add([this](QCloseEvent& event) {
    if (!SettleUnsaved()) event.ignore();
  });
  // Escape drops the selection or a paste; Enter sets a paste down.
  form.keys.Add([this](QKeyEvent& event) {
    if (!selection_.Active()) return;
    if (event.key() == Qt::Key_Escape) {
      selection_.Drop();
    } else if ((event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
               selection_.Floating()) {
      tools_->Settle();
    } else {
      return;
    }
    event.accept();
    Refresh();
  });
  form.setAcceptDrops(true);
  form.fileDropped.Add([this](const QString& path) { OpenFile(path, true); });
  actions_ = common::AddMenus<Sketchly>(form, *this, kMenu);
  // The picture's size and the view's zoom, below the window's own area.
  QStatusBar& status = form.AddStatusBar();
  size_ = new QLabel(&status);
  zoom_ = new QLabel(&status);
  status.addPermanentWidget(size_);
  status.addPermanentWidget(zoom_);
  canvas_.zoomChanged.Add([this] { ShowSizeAndZoom(); });
  for (QAction* action : actions_) connect(action, &QAction::triggered, this, &Sketchly::Refresh);
  QClipboard* clipboard = QGuiApplication::clipboard();
  // Asking another program what it holds can wait seconds on one that does
  // not answer: Paste stays on for those and finds out when it is used.
  const auto look = [this, clipboard] {
    const QMimeData* data = clipboard->mimeData();
    clipboardHasImage_ = data && (!clipboard->ownsClipboard() || data->hasImage());
    Refresh();
  };
  connect(clipboard, &QClipboard::dataChanged, this, look);
  look();
}

Sketchly& Attach(Form1& form) {
  return *new Sketchly(form);
}

QAction* Sketchly::Action(void (Sketchly::*command)()) {
  for (size_t i = 0; i < actions_.size(); ++i)
    if (kMenu[i].command == command) return actions_[i];
  return nullptr;
}

void Sketchly::Refresh() {
  if (actions_.empty()) return;  // still being built
  const bool changed = canvas_.Drawn() || history_.Current() != savedState_;
  const QString caption = common::ToQString(form_.Caption());
  if (file_.isEmpty()) {
    form_.setWindowTitle(caption);
    form_.setWindowModified(false);
  } else {
    form_.setWindowTitle(QFileInfo(file_).fileName() + QStringLiteral("[*] – ") + caption);
    form_.setWindowModified(changed);
  }
  Action(&Sketchly::Undo)->setEnabled(history_.CanUndo());
  Action(&Sketchly::Redo)->setEnabled(history_.CanRedo());
  Action(&Sketchly::Paste)->setEnabled(clipboardHasImage_);
  for (auto command : {&Sketchly::Cut, &Sketchly::Delete, &Sketchly::CropToSelection})
    Action(command)->setEnabled(selection_.Active());
  Action(&Sketchly::Save)->setEnabled(changed);
  ShowSizeAndZoom();
}

void Sketchly::Change(const std::function<void()>& change) {
  history_.Checkpoint();
  change();
  history_.Checkpoint();
  Refresh();
}

int Sketchly::Box(const QString& prompt, int buttons) {
  return form_.MsgBox(prompt.toStdString(), buttons, form_.Caption());
}

void Sketchly::Travel(bool undo) {
  // A paste not yet set down is taken back by dropping it; any other
  // selection would outline pixels that are no longer there.
  const bool pasted = selection_.Pasted();
  selection_.Drop();
  if (pasted) return;
  history_.Checkpoint();  // a stroke in progress is the step to take back
  if (const auto unpack = history_.PackedNext(undo)) {
    auto pixels = std::make_shared<QImage>();
    if (!common::RunAside(
            &form_, undo ? common::Tr("paint", "Undoing...") : common::Tr("paint", "Redoing..."),
            [pixels, unpack] { *pixels = unpack(); }))
      return;
    history_.Unpacked(undo, *pixels);
  }
  if (undo) {
    history_.Undo();
  } else {
    history_.Redo();
  }
}

void Sketchly::Copy() {
  QGuiApplication::clipboard()->setImage(selection_.Active() ? selection_.Pixels()
                                                             : canvas_.Drawing());
}

void Sketchly::Cut() {
  if (!selection_.Active()) return;
  Copy();
  Delete();
}

void Sketchly::Delete() {
  if (selection_.Pasted()) {
    selection_.Drop();
  } else if (selection_.Active()) {
    Change([this] {
      selection_.SetDown();
      selection_.Clear(common::ResolveColour(canvas_.BackColor()));
    });
  }
}

void Sketchly::SelectAll() {
  tools_->Settle();
  tools_->Choose(MenuTools::kSelect);
  selection_.Select(canvas_.InnerRect());
}

void Sketchly::SelectTool() {
  tools_->Choose(MenuTools::kSelect);
}

void Sketchly::PickTool() {
  tools_->Choose(MenuTools::kPick);
}

void Sketchly::FillTool() {
  tools_->Choose(MenuTools::kFill);
}

QImage Sketchly::ClipboardImage() {
  const QMimeData* data = common::ClipboardOffer(&form_, form_.Caption());
  if (!data) return {};
  const QStringList formats = data->formats();
  // Encoded types Qt reads, PNG first, each asked for alone and decoded
  // aside: asked for a plain image, Qt would wait on every type in turn and
  // decode on this thread.
  QStringList types;
  for (const QByteArray& type : QImageReader::supportedMimeTypes())
    if (formats.contains(QString::fromLatin1(type))) types << QString::fromLatin1(type);
  if (types.removeAll(QStringLiteral("image/png"))) types.prepend(QStringLiteral("image/png"));
  QString error;
  for (const QString& type : types) {
    auto read = std::make_shared<ReadResult>();
    const QByteArray bytes = data->data(type);
    if (!common::RunAside(&form_, common::Tr("paint", "Pasting..."),
                          [read, bytes] { *read = ReadImageData(bytes); }))
      return {};
    if (!read->image.isNull()) return read->image;
    error = read->error;
  }
  if (error.isEmpty() && data->hasImage()) {
    // Our own clipboard hands over the image itself, undecoded.
    const auto image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull() || WithinLimit(image.size())) return image;
    error = TooLarge(image.size());
  }
  if (!error.isEmpty())
    Box(common::Tr("paint", "Could not paste the image: it %1.").arg(error), common::kCritical);
  return {};
}

void Sketchly::Paste() {
  const QImage image = ClipboardImage();
  if (image.isNull()) return;
  tools_->Settle();
  const QPoint at = canvas_.ViewRect().topLeft();
  const QSize room(std::max(canvas_.InnerWidth(), at.x() + image.width()),
                   std::max(canvas_.InnerHeight(), at.y() + image.height()));
  const bool larger = room != canvas_.InnerRect().size();
  if (larger && !WithinLimit(room)) {
    Box(common::Tr("paint",
                   "The pasted image would make the picture larger than %1 × %1 pixels, the "
                   "largest there can be. Nothing was pasted.")
            .arg(kMaxPictureSide),
        common::kCritical);
    return;
  }
  const bool enlarge =
      larger && Box(common::Tr("paint",
                               "The pasted image is larger than the picture. Enlarge the picture "
                               "to fit it?"),
                    common::kYesNo | common::kQuestion) == common::kYesAnswer;
  if (enlarge) {
    const QRgb fill = common::ResolveColour(canvas_.BackColor());
    const std::optional<QImage> enlarged =
        Aside(common::Tr("paint", "Changing the picture size..."),
              [room, fill](const QImage& picture) { return Resized(picture, room, fill); });
    if (!enlarged) return;
    Change([&] { canvas_.SetPicture(*enlarged); });
  }
  // It floats where the view begins until it is put in place.
  tools_->Choose(MenuTools::kSelect);
  selection_.Float(image, at);
}

std::optional<QImage> Sketchly::Aside(const QString& text,
                                      std::function<QImage(const QImage&)> make) {
  auto result = std::make_shared<QImage>();
  const QImage picture = canvas_.Picture();
  if (!common::RunAside(&form_, text,
                        [result, picture, make = std::move(make)] { *result = make(picture); })) {
    canvas_.CopyAhead();  // the picture stays, shared with the work that was cut short
    return std::nullopt;
  }
  if (result->isNull()) throw std::bad_alloc();
  return *result;
}

void Sketchly::Transform(const QString& text, const std::function<QImage(const QImage&)>& make) {
  tools_->Settle();
  const std::optional<QImage> made = Aside(text, make);
  if (made) Change([&] { canvas_.SetPicture(*made); });
}

void Sketchly::PictureSize() {
  const auto size = AskPictureSize(&form_, canvas_.InnerRect().size());
  if (!size || *size == canvas_.InnerRect().size()) return;
  const QRgb fill = common::ResolveColour(canvas_.BackColor());
  Transform(common::Tr("paint", "Changing the picture size..."),
            [size = *size, fill](const QImage& picture) { return Resized(picture, size, fill); });
}

void Sketchly::Scale() {
  const auto size = AskScale(&form_, canvas_.InnerRect().size());
  if (!size || *size == canvas_.InnerRect().size()) return;
  Transform(common::Tr("paint", "Scaling the picture..."),
            [size = *size](const QImage& picture) { return Scaled(picture, size); });
}

void Sketchly::CropToSelection() {
  if (!selection_.Active()) return;
  if (selection_.Floating()) Change([this] { selection_.SetDown(); });
  const QRect area = selection_.Area();
  Transform(common::Tr("paint", "Cropping the picture..."),
            [area](const QImage& picture) { return Cropped(picture, area); });
}

void Sketchly::ReshapeSelection(const std::function<QImage(const QImage&)>& make) {
  if (selection_.Pasted()) {
    selection_.Replace(make(selection_.Pixels()));  // not in the picture yet
    return;
  }
  // In place: what it covered gets the canvas colour, the new shape lands at
  // the same top left.
  Change([&] {
    selection_.Lift(common::ResolveColour(canvas_.BackColor()));
    selection_.Replace(make(selection_.Pixels()));
    selection_.SetDown();
  });
}

void Sketchly::Turn(paint::Turn turn) {
  if (selection_.Active()) {
    ReshapeSelection([turn](const QImage& pixels) { return Turned(pixels, turn); });
    return;
  }
  Transform(common::Tr("paint", "Rotating the picture..."),
            [turn](const QImage& picture) { return Turned(picture, turn); });
}

void Sketchly::Flip(Qt::Orientations orientations) {
  if (selection_.Active()) {
    ReshapeSelection(
        [orientations](const QImage& pixels) { return Flipped(pixels, orientations); });
    return;
  }
  Transform(common::Tr("paint", "Flipping the picture..."),
            [orientations](const QImage& picture) { return Flipped(picture, orientations); });
}

void Sketchly::Restore(const QImage& picture, const QString& file, const ImageSource& source) {
  canvas_.SetPicture(picture);
  Begin(file, source);
  savedState_ = 0;  // no state of this history: it was never saved
  Refresh();
}

void Sketchly::ZoomIn() {
  canvas_.SetZoom(common::NextZoom(canvas_.Zoom(), true));
}

void Sketchly::ZoomOut() {
  canvas_.SetZoom(common::NextZoom(canvas_.Zoom(), false));
}

void Sketchly::ActualSize() {
  canvas_.SetZoom(1.0);
}

void Sketchly::FitInWindow() {
  canvas_.SetZoom(canvas_.FitZoom());
}

void Sketchly::ShowSizeAndZoom() {
  if (!size_) return;  // still being built
  const QLocale locale;
  const QString size =
      common::Tr("paint", "%1 × %2")
          .arg(locale.toString(canvas_.InnerWidth()), locale.toString(canvas_.InnerHeight()));
  const QString zoom =
      common::Tr("paint", "%1 %").arg(locale.toString(qRound(canvas_.Zoom() * 100)));
  // Refresh runs after every click: a screen reader hears only a change.
  if (size == size_->text() && zoom == zoom_->text()) return;
  size_->setText(size);
  zoom_->setText(zoom);
  size_->setAccessibleName(common::Tr("paint", "Picture size: %1").arg(size));
  zoom_->setAccessibleName(common::Tr("paint", "Zoom: %1").arg(zoom));
}

void Sketchly::Begin(const QString& file, const ImageSource& source) {
  selection_.Drop();
  // A picture that fits the view is shown at its size, a larger one whole.
  canvas_.SetZoom(std::min(1.0, canvas_.FitZoom()));
  canvas_.ScrollTo(QPoint());
  history_.Reset();
  file_ = file;
  source_ = source;
  savedState_ = history_.State();
  Refresh();
  settled();
}

void Sketchly::New() {
  if (!SettleUnsaved()) return;
  canvas_.NewPicture();
  Begin(QString(), ImageSource());
}

void Sketchly::Open() {
  if (!SettleUnsaved()) return;
  const auto path = common::ChooseFile({&form_, common::FileDialogMode::kOpen,
                                        common::Tr("paint", "Open Image").toStdString(),
                                        OpenFilters().toStdString(), file_.toStdString(), ""});
  if (path) OpenFile(QString::fromStdString(*path));
}

bool Sketchly::OpenFile(const QString& path, bool settleFirst) {
  if (settleFirst && !SettleUnsaved()) return false;
  auto read = std::make_shared<ReadResult>();
  const QString busy = common::Tr("paint", "Opening %1...").arg(QFileInfo(path).fileName());
  if (!common::RunAside(&form_, busy, [read, path] { *read = ReadImage(path); })) return false;
  if (read->image.isNull()) {
    Box(common::Tr("paint", "Could not open \"%1\": it %2.").arg(path, read->error),
        common::kCritical);
    return false;
  }
  canvas_.SetPicture(read->image);
  Begin(path, read->source);
  if (read->source.damaged)
    Box(common::Tr("paint", "\"%1\" is damaged: only part of the picture could be read.").arg(path),
        common::kCritical);
  return true;
}

bool Sketchly::SaveDrawing() {
  if (file_.isEmpty()) return SaveDrawingAs();
  if (!SizeFits(file_)) return false;
  // Another program's version of the file is not replaced unasked.
  if (const FileStamp now = FileStamp::Of(file_);
      now.size >= 0 && source_.stamp.size >= 0 && !(now == source_.stamp)) {
    switch (Box(common::Tr("paint",
                           "\"%1\" was changed by another program since it was opened or saved "
                           "here. Overwrite it with this drawing?")
                    .arg(file_),
                common::kOverwriteSaveAsCancel | common::kQuestion)) {
      case common::kOverwriteAnswer:
        break;
      case common::kSaveAsAnswer:
        return SaveDrawingAs();
      default:
        return false;
    }
  }
  const QImage picture = canvas_.Picture();  // shared: a copy would hold up the window
  const QStringList losses = Losses(file_, picture, source_);
  if (losses.isEmpty()) return SaveTo(file_, picture, source_.compression);
  const QString question =
      Writable(file_)
          ? common::Tr("paint", "The file was not changed. Save the picture under another name?")
          : common::Tr("paint", "Save the picture as PNG instead?");
  return Box(losses.join(u' ') + u' ' + question, common::kYesNo | common::kQuestion) ==
             common::kYesAnswer &&
         SaveDrawingAs();
}

bool Sketchly::SaveDrawingAs() {
  const QString start = WritableName(file_);
  std::string filter;
  const auto chosen = common::ChooseFile({&form_, common::FileDialogMode::kSave,
                                          common::Tr("paint", "Save Drawing").toStdString(),
                                          SaveFilters().toStdString(), start.toStdString(), "",
                                          SaveFilterOf(FormatOf(start)).toStdString(), &filter});
  if (!chosen) return false;
  QString path = QString::fromStdString(*chosen);
  // A name without the suffix of a type that can be written is saved as
  // the type chosen.
  if (QFileInfo(path).suffix().isEmpty() || !Writable(path)) {
    path += u'.' + QString::fromLatin1(FormatOfFilter(QString::fromStdString(filter)));
    if (QFileInfo::exists(path) &&
        Box(common::Tr("paint", "\"%1\" already exists. Replace it?").arg(path),
            common::kYesNo | common::kQuestion) != common::kYesAnswer)
      return false;
  }
  if (!SizeFits(path)) return false;
  // Over the file it came from, what that file holds counts too; elsewhere
  // only what the picture holds can be lost.
  const bool sameFile = !file_.isEmpty() && QFileInfo(path) == QFileInfo(file_);
  const QImage picture = canvas_.Picture();
  const QStringList losses = Losses(path, picture, sameFile ? source_ : ImageSource());
  if (!losses.isEmpty() &&
      Box(losses.join(u' ') + u' ' + common::Tr("paint", "Save it all the same?"),
          common::kYesNo | common::kQuestion) != common::kYesAnswer)
    return false;
  const QByteArray format = FormatOf(path);
  Compression compression;
  if (Lossy(format, Compression())) {
    // Asked once; Save keeps it.
    const bool likeSource = source_.format == Canonical(format);
    Compression start = likeSource ? source_.compression : Compression();
    if (start.lossless) start.quality = 100;
    if (start.quality < 1) start.quality = kDefaultQuality;
    const std::optional<int> quality = AskQuality(&form_, picture, format, start);
    if (!quality) return false;
    compression.quality = *quality;
    compression.fullChroma = start.fullChroma;
    compression.lossless = format == "webp" && *quality == 100;
  }
  return SaveTo(path, picture, compression);
}

bool Sketchly::SizeFits(const QString& path) {
  const QString problem = SizeProblem(path, canvas_.InnerRect().size());
  if (problem.isEmpty()) return true;
  Box(common::Tr("paint", "Could not save \"%1\": %2.").arg(path, problem), common::kCritical);
  return false;
}

bool Sketchly::SaveTo(const QString& path, const QImage& picture, const Compression& compression) {
  auto control = std::make_shared<SaveControl>();
  auto written = std::make_shared<std::promise<QString>>();
  std::future<QString> error = written->get_future();
  const bool finished = common::RunAside(
      &form_, common::Tr("paint", "Saving %1...").arg(QFileInfo(path).fileName()),
      [control, written, path, picture, compression] {
        try {
          written->set_value(WriteImage(path, picture, compression, control.get()));
        } catch (...) {
          written->set_exception(std::current_exception());
        }
      });
  // The next stroke's copy of the picture, which the save shared, is made
  // aside meanwhile.
  canvas_.CopyAhead();
  // Cancelled in time, the old file stays as it was; too late, the new one
  // is being put in its place and is waited for.
  if (!finished && control->Cancel()) return false;
  if (const QString reason = error.get(); !reason.isEmpty()) {
    Box(common::Tr("paint", "Could not save \"%1\": %2.").arg(path, reason), common::kCritical);
    return false;
  }
  file_ = path;
  source_ = ImageSource();
  source_.format = Canonical(FormatOf(path));
  source_.compression = compression;
  source_.stamp = FileStamp::Of(path);
  savedState_ = history_.State();
  Refresh();
  settled();
  return true;
}

bool Sketchly::SettleUnsaved() {
  if (!Modified()) return true;
  switch (Box(common::Tr("paint", "The drawing has changes that are not saved. Save them?"),
              common::kSaveDiscardCancel | common::kQuestion)) {
    case common::kSaveAnswer:
      return SaveDrawing();
    case common::kDiscardAnswer:
      return true;
    default:
      return false;
  }
}

void Sketchly::ShowShortcuts() {
  QList<common::ShortcutRow> rows = common::ShortcutRows<Sketchly>(kMenu);
  rows.append({form_.GetButton("cmdeditcolor").text().remove(u'&'), QStringLiteral("Alt+E")});
  rows.append({common::Tr("paint", "Put a paste in place"), common::Tr("paint", "Enter")});
  rows.append(
      {common::Tr("paint", "Drop the selection or a paste"), common::Tr("paint", "Escape")});
  rows.append({common::Tr("paint", "Scroll the picture"), common::Tr("paint", "Mouse wheel")});
  rows.append({common::Tr("paint", "Scroll across"), common::Tr("paint", "Shift+Mouse wheel")});
  rows.append(
      {common::Tr("paint", "Zoom about the pointer"), common::Tr("paint", "Ctrl+Mouse wheel")});
  rows.append({common::Tr("paint", "Move about the picture (canvas focused)"),
               common::Tr("paint",
                          "Arrow keys, Page Up, Page Down, Home, End, Ctrl+Home, "
                          "Ctrl+End")});
  common::ShowShortcuts(&form_, rows);
}

void Sketchly::ShowAbout() {
  common::ShowAbout(&form_, common::ToQString(form_.Caption()),
                    common::Tr("paint",
                               "A drawing program: ten tools, a palette of twenty colours, undo, "
                               "the clipboard and image files at their own size."));
}

void Sketchly::ShowAboutQt() {
  QApplication::aboutQt();
}

}  // namespace paint
