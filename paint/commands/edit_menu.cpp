#include "paint/commands/edit_menu.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QMimeData>
#include <algorithm>
#include <memory>

#include "common/aside.h"
#include "common/clipboard.h"
#include "common/i18n.h"
#include "common/menu.h"
#include "paint/document/document.h"
#include "paint/document/picture_limits.h"
#include "paint/files/save_policy.h"
#include "paint/form1.h"
#include "paint/image/image_ops.h"
#include "paint/tools/select_tool.h"
#include "paint/tools/tool_box.h"

namespace paint {
namespace {

using common::MenuItem;

// No menu title takes the access key E: Alt+E is "&Edit Colors...".
constexpr MenuItem<EditMenu> kMenu[] = {
    {QT_TRANSLATE_NOOP("menus", "E&dit"), QT_TRANSLATE_NOOP("menus", "&Undo"), QKeySequence::Undo,
     "", &EditMenu::Undo},
    {QT_TRANSLATE_NOOP("menus", "E&dit"), QT_TRANSLATE_NOOP("menus", "&Redo"), QKeySequence::Redo,
     "Ctrl+Shift+Z, Ctrl+Y", &EditMenu::Redo},
    {QT_TRANSLATE_NOOP("menus", "E&dit"), QT_TRANSLATE_NOOP("menus", "Cu&t"), QKeySequence::Cut, "",
     &EditMenu::Cut},
    {QT_TRANSLATE_NOOP("menus", "E&dit"), QT_TRANSLATE_NOOP("menus", "&Copy"), QKeySequence::Copy,
     "", &EditMenu::Copy},
    {QT_TRANSLATE_NOOP("menus", "E&dit"), QT_TRANSLATE_NOOP("menus", "&Paste"), QKeySequence::Paste,
     "", &EditMenu::Paste},
    {QT_TRANSLATE_NOOP("menus", "E&dit"), QT_TRANSLATE_NOOP("menus", "&Delete"),
     QKeySequence::Delete, "", &EditMenu::Delete},
    {QT_TRANSLATE_NOOP("menus", "E&dit"), QT_TRANSLATE_NOOP("menus", "Select &All"),
     QKeySequence::SelectAll, "", &EditMenu::SelectAll},
};
enum { kUndoItem, kRedoItem, kCutItem, kCopyItem, kPasteItem, kDeleteItem };

}  // namespace

EditMenu::EditMenu(const Workbench& bench) : QObject(&bench.form), bench_(bench) {
  actions_ = common::AddMenus<EditMenu>(bench.form, *this, kMenu);
  bench.document.changed.Add([this] { Follow(); });
  // Dragging out a selection tells every move: only what acts on it follows.
  bench.document.selectionChanged.Add([this] { FollowSelection(); });
  // Escape drops the selection or a paste; Enter sets a paste down.
  bench.form.keys.Add([this](QKeyEvent& event) {
    Selection& selection = bench_.document.GetSelection();
    if (!selection.Active()) return;
    if (event.key() == Qt::Key_Escape) {
      selection.Drop();
    } else if ((event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
               selection.Floating()) {
      bench_.tools.Settle();
    } else {
      return;
    }
    event.accept();
  });
  QClipboard* clipboard = QGuiApplication::clipboard();
  // Asking another program what it holds can wait seconds on one that does
  // not answer: Paste stays on for those and finds out when it is used.
  const auto look = [this, clipboard] {
    const QMimeData* data = clipboard->mimeData();
    clipboardHasImage_ = data && (!clipboard->ownsClipboard() || data->hasImage());
    Follow();
  };
  connect(clipboard, &QClipboard::dataChanged, this, look);
  look();
}

QList<common::ShortcutRow> EditMenu::ShortcutRows() const {
  return common::ShortcutRows<EditMenu>(kMenu);
}

void EditMenu::Follow() {
  const UndoHistory& history = bench_.document.History();
  const QString undo = history.UndoName(), redo = history.RedoName();
  actions_[kUndoItem]->setText(undo.isEmpty() ? common::Tr("menus", "&Undo")
                                              : common::Tr("menus", "&Undo %1").arg(undo));
  actions_[kRedoItem]->setText(redo.isEmpty() ? common::Tr("menus", "&Redo")
                                              : common::Tr("menus", "&Redo %1").arg(redo));
  actions_[kUndoItem]->setEnabled(history.CanUndo());
  actions_[kRedoItem]->setEnabled(history.CanRedo());
  actions_[kPasteItem]->setEnabled(clipboardHasImage_);
  FollowSelection();
}

void EditMenu::FollowSelection() {
  const bool selected = bench_.document.GetSelection().Active();
  actions_[kCutItem]->setEnabled(selected);
  actions_[kDeleteItem]->setEnabled(selected);
}

void EditMenu::Travel(bool undo) {
  Document& document = bench_.document;
  Selection& selection = document.GetSelection();
  // A paste not yet set down is taken back by dropping it; any other
  // selection would outline pixels that are no longer there.
  const bool pasted = selection.Pasted();
  selection.Drop();
  if (pasted) return;
  document.EndGesture();  // a stroke in progress is the step to take back
  if (const auto unpack = document.History().PackedNext(undo)) {
    auto pixels = std::make_shared<UndoHistory::Pixels>();
    if (!common::RunAside(
            &bench_.form,
            undo ? common::Tr("paint", "Undoing...") : common::Tr("paint", "Redoing..."),
            [pixels, unpack] { *pixels = unpack(); }))
      return;
    document.History().Unpacked(undo, *pixels);
  }
  if (undo) {
    document.Undo();
  } else {
    document.Redo();
  }
}

void EditMenu::Copy() {
  const Selection& selection = bench_.document.GetSelection();
  QGuiApplication::clipboard()->setImage(selection.Active() ? selection.Pixels()
                                                            : bench_.form.Canvas().Drawing());
}

void EditMenu::Cut() {
  if (!bench_.document.GetSelection().Active()) return;
  Copy();
  ClearSelection(common::Tr("paint", "Cut"));
}

void EditMenu::Delete() {
  ClearSelection(common::Tr("paint", "Delete"));
}

void EditMenu::ClearSelection(const QString& name) {
  Selection& selection = bench_.document.GetSelection();
  if (selection.Pasted()) {
    selection.Drop();
  } else if (selection.Active()) {
    bench_.document.Edit(name, [&] {
      selection.SetDown();
      selection.Clear(common::ResolveColour(bench_.form.Canvas().BackColor()));
    });
  }
}

void EditMenu::SelectAll() {
  bench_.tools.Settle();
  bench_.tools.Choose(bench_.tools.Find<SelectTool>());
  bench_.document.GetSelection().Select(bench_.form.Canvas().InnerRect());
}

QImage EditMenu::ClipboardImage() {
  const QMimeData* data = common::ClipboardOffer(&bench_.form, bench_.form.Caption());
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
    if (!common::RunAside(&bench_.form, common::Tr("paint", "Pasting..."),
                          [read, bytes] { *read = ReadImageData(bytes); }))
      return {};
    if (!read->image.isNull()) return read->image;
    error = read->error;
  }
  if (error.isEmpty() && data->hasImage()) {
    // Our own clipboard hands over the image itself, undecoded.
    auto image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull() || WithinLimit(image.size())) return image;
    error = TooLarge(image.size());
  }
  if (!error.isEmpty())
    bench_.Box(common::Tr("paint", "Could not paste the image: it %1.").arg(error),
               common::kCritical);
  return {};
}

void EditMenu::Paste() {
  const QImage image = ClipboardImage();
  if (image.isNull()) return;
  bench_.tools.Settle();
  common::PictureBox& canvas = bench_.form.Canvas();
  const QPoint at = canvas.ViewRect().topLeft();
  const QSize room(std::max(canvas.InnerWidth(), at.x() + image.width()),
                   std::max(canvas.InnerHeight(), at.y() + image.height()));
  const bool larger = room != canvas.InnerRect().size();
  if (larger && !WithinLimit(room)) {
    bench_.Box(common::Tr("paint",
                          "The pasted image would make the picture larger than %1 × %1 pixels, the "
                          "largest there can be. Nothing was pasted.")
                   .arg(kMaxPictureSide),
               common::kCritical);
    return;
  }
  const bool enlarge =
      larger &&
      bench_.Box(common::Tr("paint",
                            "The pasted image is larger than the picture. Enlarge the picture "
                            "to fit it?"),
                 common::kYesNo | common::kQuestion) == common::kYesAnswer;
  if (enlarge) {
    const QRgb fill = common::ResolveColour(canvas.BackColor());
    const std::optional<QImage> enlarged = bench_.MadeAside(
        common::Tr("paint", "Changing the picture size..."),
        [room, fill](const QImage& picture) { return Resized(picture, room, fill); });
    if (!enlarged) return;
    bench_.document.Edit(common::Tr("paint", "Paste"), [&] { canvas.SetPicture(*enlarged); });
  }
  // It floats where the view begins until it is put in place.
  bench_.tools.Choose(bench_.tools.Find<SelectTool>());
  bench_.document.GetSelection().Float(image, at);
}

}  // namespace paint
