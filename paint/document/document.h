#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "common/listeners.h"
#include "paint/document/selection.h"
#include "paint/document/undo_history.h"
#include "paint/files/read_image.h"

namespace common {
class PictureBox;
}

namespace paint {

// The picture being edited, shown in the canvas: its undo history, its
// selection and the file it belongs to. Every change to the picture is
// either one named step (Edit) or a gesture on the canvas, from the press
// that begins it to the release that ends it; nothing else makes steps.
class Document {
 public:
  explicit Document(common::PictureBox& canvas);

  common::PictureBox& Canvas() const { return canvas_; }
  Selection& GetSelection() { return selection_; }
  const Selection& GetSelection() const { return selection_; }
  UndoHistory& History() { return history_; }

  // The file it would be saved to (empty for a new drawing) and what that
  // file held.
  const QString& File() const { return file_; }
  const ImageSource& Source() const { return source_; }
  // Changed since it was opened or saved (or since it was new).
  bool IsModified() const;

  // What the change does to the picture is one undo step of this name.
  void Edit(const QString& name, const std::function<void()>& change);
  // A press on the canvas (or a click of a tool that draws at once) begins
  // a step of this name; its release ends it.
  void BeginGesture(const QString& name);
  void EndGesture();
  bool InGesture() const { return inGesture_; }
  // Sets floating pixels down (a paste as a step of its own) and drops the
  // selection.
  void SettleSelection();

  // The picture (a new drawing of the canvas's size when null) is a new
  // document: no history, nothing to save, and the file it came from.
  void Begin(const QImage& picture, const QString& file, const ImageSource& source);
  // The same, but the picture holds changes not saved anywhere (a
  // recovered drawing).
  void BeginUnsaved(const QImage& picture, const QString& file, const ImageSource& source);
  // The picture is now what the file holds.
  void Saved(const QString& file, const ImageSource& source);

  // Undo and redo; see UndoHistory for packed steps.
  void Undo();
  void Redo();

  // The picture as of the last step, for another thread to copy: the
  // pixels, and the version that a copy must still find them at.
  struct Snapshot {
    std::shared_ptr<const common::SettledPicture> pixels;
    uint64_t version = 0;
    uint64_t state = 0;  // the history's, as IsModified compares it
  };
  Snapshot Take() const;
  uint64_t State() const { return history_.Current(); }

  // A step was made, taken back or done again, or the document began or was
  // saved: the picture, the history or the file changed.
  common::Listeners<> changed;
  // IsModified turned false (true) or true (false).
  common::Listeners<bool> cleanChanged;
  // A new picture began: the view starts afresh.
  common::Listeners<> begun;
  // The selection was made, moved or dropped.
  common::Listeners<> selectionChanged;

 private:
  void Changed();

  common::PictureBox& canvas_;
  UndoHistory history_;
  Selection selection_;
  QString file_;
  ImageSource source_;
  uint64_t savedState_ = 0;
  bool inGesture_ = false;
  bool clean_ = true;  // as last told
};

}  // namespace paint
