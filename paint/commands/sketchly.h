#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "common/listeners.h"
#include "paint/document/selection.h"
#include "paint/document/undo_history.h"
#include "paint/files/read_image.h"
#include "paint/form1.h"
#include "paint/image/image_ops.h"
#include "paint/tools/menu_tools.h"

class QAction;
class QLabel;

namespace paint {

// What Sketchly adds to the drawing window, attached through its listeners:
// the picture as a document (a new drawing, or an image file at its own
// size), a menu bar for what keeps it (files, undo, the clipboard, its size)
// and a question before unsaved work is closed or replaced. It belongs to
// the window.
class Sketchly : public QObject {
 public:
  explicit Sketchly(Form1& form);

  // Opens an image given at start. An unreadable one is reported and the
  // drawing stays new; false then.
  bool OpenAtStart(const QString& path, bool settleFirst = false) {
    return OpenFile(path, settleFirst);
  }

  // The menu commands.
  void New();
  void Open();
  void Save() { SaveDrawing(); }
  void SaveAs() { SaveDrawingAs(); }
  void Quit() { form_.close(); }
  void Undo() { Travel(true); }
  void Redo() { Travel(false); }
  void Cut();
  void Copy();
  void Paste();
  void Delete();
  void SelectAll();
  void PictureSize();
  void Scale();
  void CropToSelection();
  void RotateClockwise() { Turn(Turn::kClockwise); }
  void RotateCounterClockwise() { Turn(Turn::kCounterClockwise); }
  void RotateHalf() { Turn(Turn::kHalf); }
  void FlipHorizontally() { Flip(Qt::Horizontal); }
  void FlipVertically() { Flip(Qt::Vertical); }
  void SelectTool();
  void PickTool();
  void FillTool();
  void ZoomIn();
  void ZoomOut();
  void ActualSize();
  void FitInWindow();
  void ShowShortcuts();
  void ShowAbout();
  void ShowAboutQt();

  // Takes a picture back as the document, with the file it would be saved
  // to and what that file held, as changes not yet saved (a recovered
  // drawing).
  void Restore(const QImage& picture, const QString& file, const ImageSource& source);
  // The document has no unsaved changes any more: new, opened or saved.
  common::Listeners<> settled;

  // Everything the change draws is one undo step.
  void Change(const std::function<void()>& change);
  // The caption and which commands have something to act on.
  void Refresh();
  Selection& GetSelection() { return selection_; }
  MenuTools& Tools() { return *tools_; }

  // Changed since it was opened or saved (or since it was new).
  bool Modified() { return history_.State() != savedState_; }
  const QString& CurrentFile() const { return file_; }
  const ImageSource& Source() const { return source_; }
  UndoHistory& History() { return history_; }

 private:
  // Replaces the document with the file's picture, after asking about
  // unsaved changes if asked to.
  bool OpenFile(const QString& path, bool settleFirst = false);
  // Undo or redo, a large packed step unpacked aside first.
  void Travel(bool undo);
  bool SaveDrawing();
  bool SaveDrawingAs();
  bool SaveTo(const QString& path, const QImage& picture, const Compression& compression);
  // Says so when the picture is too large for the path's format.
  bool SizeFits(const QString& path);
  // The picture made anew aside (a new size, a turn...); nothing when
  // cancelled.
  std::optional<QImage> Aside(const QString& text, std::function<QImage(const QImage&)> make);
  // Puts a picture made aside in place of the whole, as one step.
  void Transform(const QString& text, const std::function<QImage(const QImage&)>& make);
  // A turn or flip of the selection when there is one, else of the picture.
  void Turn(paint::Turn turn);
  void Flip(Qt::Orientations orientations);
  // The selected pixels turned or flipped in place, as one step.
  void ReshapeSelection(const std::function<QImage(const QImage&)>& make);
  // True when the drawing may go: saved, discarded or never changed.
  bool SettleUnsaved();
  // A fresh document in the canvas: its file, what that held, no history.
  void Begin(const QString& file, const ImageSource& source);
  // The clipboard's image, without waiting long on another program.
  QImage ClipboardImage();
  // The status bar's picture size and zoom.
  void ShowSizeAndZoom();
  QAction* Action(void (Sketchly::*command)());
  int Box(const QString& prompt, int buttons);

  Form1& form_;
  common::PictureBox& canvas_;
  UndoHistory history_;
  Selection selection_;
  MenuTools* tools_;
  // The document's file, what that file holds, and the state saved in it.
  QString file_;
  ImageSource source_;
  uint64_t savedState_ = 0;
  bool clipboardHasImage_ = false;
  std::vector<QAction*> actions_;
  QLabel* size_ = nullptr;
  QLabel* zoom_ = nullptr;
};

// Builds what Sketchly adds onto a drawing window.
Sketchly& Attach(Form1& form);

}  // namespace paint
