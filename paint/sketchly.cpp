#include "paint/sketchly.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>

#include "common/menu.h"
#include "common/text.h"
#include "paint/image_file.h"
#include "paint/tools.h"

namespace paint {
namespace {

using common::MenuItem;
using common::Shortcuts;

// No menu title takes the access key E: Alt+E is "&Edit Colors...".
constexpr MenuItem<Sketchly> kMenu[] = {
    {"&File", "&Open...", QKeySequence::Open, "", &Sketchly::Open},
    {"&File", "&Save", QKeySequence::Save, "", &Sketchly::Save},
    {"&File", "Save &As...", QKeySequence::SaveAs, "Ctrl+Shift+S", &Sketchly::SaveAs},
    {"&File", "&Quit", QKeySequence::Quit, "Ctrl+Q", &Sketchly::Quit},
    {"E&dit", "&Undo", QKeySequence::Undo, "", &Sketchly::Undo},
    {"E&dit", "&Redo", QKeySequence::Redo, "Ctrl+Shift+Z, Ctrl+Y", &Sketchly::Redo},
    {"E&dit", "&Copy", QKeySequence::Copy, "", &Sketchly::Copy},
    {"E&dit", "&Paste", QKeySequence::Paste, "", &Sketchly::Paste},
    {"&Help", "&Keyboard Shortcuts", QKeySequence::HelpContents, "", &Sketchly::ShowShortcuts},
    {"&Help", "&About Sketchly", QKeySequence::UnknownKey, "", &Sketchly::ShowAbout},
};

QString Plain(std::string_view text) {
  return common::ToQString(text).remove(u'&');
}

}  // namespace

Sketchly::Sketchly(Form1& form)
    : QObject(&form), form_(form), canvas_(form.GetPicture("Picture1")), history_(canvas_) {
  // A press on the canvas starts a new step, before its handler draws; a
  // clear is a step of its own.
  form.handlerCalls.Add([this](const common::HandlerCall& call) {
    if ((call.control == "Picture1" && call.event == common::Event::kMouseDown &&
         call.phase == common::HandlerCall::kBefore) ||
        (call.control == "Command1" && call.index == kClear))
      history_.Checkpoint();
  });
  form.closing.Add([this](QCloseEvent& event) {
    if (!SettleUnsaved()) event.ignore();
  });
  common::AddMenus<Sketchly>(form, *this, kMenu);
}

Sketchly& Attach(Form1& form) {
  return *new Sketchly(form);
}

void Sketchly::AsOneStep(const std::function<void()>& change) {
  history_.Checkpoint();
  change();
  history_.Checkpoint();
}

int Sketchly::Box(const QString& prompt, int buttons) {
  return form_.MsgBox(prompt.toStdString(), buttons, form_.Caption());
}

void Sketchly::DrawAtTopLeft(const QImage& image, bool eraseFirst) {
  // Cropped first: a huge image costs no more than the canvas.
  QImage part = image.copy(canvas_.InnerRect() & image.rect());
  part.setDevicePixelRatio(1);
  if (eraseFirst) canvas_.Cls();
  QImage under = canvas_.Region(part.rect());
  {
    QPainter painter(&under);
    painter.drawImage(0, 0, part);
  }
  canvas_.PutRegion(QPoint(0, 0), under);
}

void Sketchly::Copy() {
  QGuiApplication::clipboard()->setImage(canvas_.Drawing());
}

void Sketchly::Paste() {
  const QImage image = QGuiApplication::clipboard()->image();
  if (image.isNull()) return;
  AsOneStep([&] { DrawAtTopLeft(image, false); });
}

void Sketchly::Open() {
  const auto path = common::ChooseFile({&form_, common::FileDialogMode::kOpen, "Open Image",
                                        OpenFilters().toStdString(), file_.toStdString(), ""});
  if (path) OpenFile(QString::fromStdString(*path));
}

bool Sketchly::OpenFile(const QString& path) {
  const ReadResult read = ReadImage(path, canvas_.InnerRect().size());
  if (read.image.isNull()) {
    Box(QStringLiteral("Could not open \"%1\": %2").arg(path, read.error), common::kCritical);
    return false;
  }
  AsOneStep([&] { DrawAtTopLeft(read.image, true); });
  // Saving a cropped picture over the file would lose the rest of it.
  file_ = read.whole ? path : QString();
  if (read.whole) savedState_ = history_.State();
  return true;
}

bool Sketchly::SaveDrawing() {
  return file_.isEmpty() ? SaveDrawingAs() : SaveTo(file_);
}

bool Sketchly::SaveDrawingAs() {
  const auto path = common::ChooseFile(
      {&form_, common::FileDialogMode::kSave, "Save Drawing", SaveFilters().toStdString(),
       file_.isEmpty() ? "drawing.png" : file_.toStdString(), "png"});
  return path && SaveTo(QString::fromStdString(*path));
}

bool Sketchly::SaveTo(const QString& path) {
  const QString error = WriteImage(path, canvas_.Drawing());
  if (!error.isEmpty()) {
    Box(QStringLiteral("Could not save \"%1\": %2").arg(path, error), common::kCritical);
    return false;
  }
  file_ = path;
  savedState_ = history_.State();
  return true;
}

bool Sketchly::SettleUnsaved() {
  if (!Modified()) return true;
  switch (Box(QStringLiteral("The drawing has changes that are not saved. Save them?"),
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
  QString text;
  for (const MenuItem<Sketchly>& item : kMenu) {
    const QList<QKeySequence> keys = Shortcuts(item.key, item.extraKeys);
    if (keys.isEmpty()) continue;
    QStringList names;
    for (const QKeySequence& key : keys) names << key.toString(QKeySequence::NativeText);
    text += Plain(item.text) + QStringLiteral(": ") + names.join(QStringLiteral(", ")) + u'\n';
  }
  text += QStringLiteral("Edit Colors...: Alt+E\nMenus: Alt+F, Alt+D, Alt+H");
  Box(text, common::kOkOnly);
}

void Sketchly::ShowAbout() {
  Box(QStringLiteral("%1 %2\nA drawing program: ten tools, a palette of twenty colours, "
                     "undo, the clipboard and PNG, BMP and JPEG files.")
          .arg(common::ToQString(form_.Caption()), QStringLiteral(PC_VERSION)),
      common::kOkOnly);
}

}  // namespace paint
