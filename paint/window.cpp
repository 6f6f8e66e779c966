#include "paint/window.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>

#include "common/text.h"
#include "paint/image_file.h"
#include "paint/menu.h"

namespace paint {
namespace {

constexpr int16_t kClearButton = 6;
constexpr std::string_view kCaption = "Sketchly";

// No menu title takes the access key E: Alt+E is "&Edit Colors...".
constexpr MenuItem<Window> kMenu[] = {
    {"&File", "&Open...", QKeySequence::Open, "", &Window::Open},
    {"&File", "&Save", QKeySequence::Save, "", &Window::Save},
    {"&File", "Save &As...", QKeySequence::SaveAs, "Ctrl+Shift+S", &Window::SaveAs},
    {"&File", "&Quit", QKeySequence::Quit, "Ctrl+Q", &Window::Quit},
    {"E&dit", "&Undo", QKeySequence::Undo, "", &Window::Undo},
    {"E&dit", "&Redo", QKeySequence::Redo, "Ctrl+Shift+Z, Ctrl+Y", &Window::Redo},
    {"E&dit", "&Copy", QKeySequence::Copy, "", &Window::Copy},
    {"E&dit", "&Paste", QKeySequence::Paste, "", &Window::Paste},
    {"&Help", "&Keyboard Shortcuts", QKeySequence::HelpContents, "", &Window::ShowShortcuts},
    {"&Help", "&About Sketchly", QKeySequence::UnknownKey, "", &Window::ShowAbout},
};

QString Plain(std::string_view text) {
  return common::ToQString(text).remove(u'&');
}

}  // namespace

Window::Window() : canvas_(GetPicture("Picture1")), history_(canvas_) {
  // A press on the canvas starts a new step, before its handler draws.
  canvas_.onMouseDown = [this, press = canvas_.onMouseDown](int16_t button, int16_t shift, float x,
                                                            float y) {
    history_.Checkpoint();
    press(button, shift, x, y);
  };
  // A clear is a step of its own.
  common::CommandButton& clear = GetButton("Command1", kClearButton);
  QObject::disconnect(&clear, &QPushButton::clicked, this, nullptr);
  QObject::connect(&clear, &QPushButton::clicked, this, [this] {
    AsOneStep([this] { Run([this] { Command1_Click(kClearButton); }); });
  });
  AddMenus<Window>(*MenuBar(), *this, kMenu);
}

void Window::AsOneStep(const std::function<void()>& change) {
  history_.Checkpoint();
  change();
  history_.Checkpoint();
}

int Window::Box(const QString& prompt, int buttons) {
  return MsgBox(prompt.toStdString(), buttons, kCaption);
}

void Window::DrawAtTopLeft(const QImage& image, bool eraseFirst) {
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

void Window::Copy() {
  QGuiApplication::clipboard()->setImage(canvas_.Drawing());
}

void Window::Paste() {
  const QImage image = QGuiApplication::clipboard()->image();
  if (image.isNull()) return;
  AsOneStep([&] { DrawAtTopLeft(image, false); });
}

void Window::Open() {
  const auto path = common::ChooseFile({this, common::FileDialogMode::kOpen, "Open Image",
                                        OpenFilters().toStdString(), file_.toStdString(), ""});
  if (path) OpenFile(QString::fromStdString(*path));
}

bool Window::OpenFile(const QString& path) {
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

bool Window::SaveDrawing() {
  return file_.isEmpty() ? SaveDrawingAs() : SaveTo(file_);
}

bool Window::SaveDrawingAs() {
  const auto path = common::ChooseFile(
      {this, common::FileDialogMode::kSave, "Save Drawing", SaveFilters().toStdString(),
       file_.isEmpty() ? "drawing.png" : file_.toStdString(), "png"});
  return path && SaveTo(QString::fromStdString(*path));
}

bool Window::SaveTo(const QString& path) {
  const QString error = WriteImage(path, canvas_.Drawing());
  if (!error.isEmpty()) {
    Box(QStringLiteral("Could not save \"%1\": %2").arg(path, error), common::kCritical);
    return false;
  }
  file_ = path;
  savedState_ = history_.State();
  return true;
}

bool Window::SettleUnsaved() {
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

void Window::closeEvent(QCloseEvent* event) {
  if (SettleUnsaved()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void Window::ShowShortcuts() {
  QString text;
  for (const MenuItem<Window>& item : kMenu) {
    const QList<QKeySequence> keys = Shortcuts(item.key, item.extraKeys);
    if (keys.isEmpty()) continue;
    QStringList names;
    for (const QKeySequence& key : keys) names << key.toString(QKeySequence::NativeText);
    text += Plain(item.text) + QStringLiteral(": ") + names.join(QStringLiteral(", ")) + u'\n';
  }
  text += QStringLiteral("Edit Colors...: Alt+E\nMenus: Alt+F, Alt+D, Alt+H");
  Box(text, common::kOkOnly);
}

void Window::ShowAbout() {
  Box(QStringLiteral("Sketchly %1\nA drawing program: ten tools, a palette of twenty colours, "
                     "undo, the clipboard and PNG, BMP and JPEG files.")
          .arg(QStringLiteral(SKETCHLY_VERSION)),
      common::kOkOnly);
}

}  // namespace paint
