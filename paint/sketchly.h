#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

#include "paint/form1.h"
#include "paint/undo_history.h"

namespace paint {

// What Sketchly adds to the drawing window, attached through its listeners:
// a menu bar for what keeps the drawing (undo, the clipboard, files) and a
// question before unsaved work is closed away. It belongs to the window.
class Sketchly : public QObject {
 public:
  explicit Sketchly(Form1& form);

  // Opens an image given at start. An unreadable one is reported and the
  // canvas stays empty; false then.
  bool OpenAtStart(const QString& path) { return OpenFile(path); }

  // The menu commands.
  void Open();
  void Save() { SaveDrawing(); }
  void SaveAs() { SaveDrawingAs(); }
  void Quit() { form_.close(); }
  void Undo() { history_.Undo(); }
  void Redo() { history_.Redo(); }
  void Copy();
  void Paste();
  void ShowShortcuts();
  void ShowAbout();

  // Changed since it was opened or saved (or since the start).
  bool Modified() { return history_.State() != savedState_; }
  const QString& CurrentFile() const { return file_; }
  UndoHistory& History() { return history_; }

 private:
  bool OpenFile(const QString& path);
  bool SaveDrawing();
  bool SaveDrawingAs();
  bool SaveTo(const QString& path);
  // True when the drawing may go: saved, discarded or never changed.
  bool SettleUnsaved();
  // Everything the change draws is one undo step.
  void AsOneStep(const std::function<void()>& change);
  // Draws an image over the canvas from its top left corner, clipped; the
  // canvas erased first if asked.
  void DrawAtTopLeft(const QImage& image, bool eraseFirst);
  int Box(const QString& prompt, int buttons);

  Form1& form_;
  common::PictureBox& canvas_;
  UndoHistory history_;
  QString file_;
  uint64_t savedState_ = 0;
};

// Builds what Sketchly adds onto a drawing window.
Sketchly& Attach(Form1& form);

}  // namespace paint
