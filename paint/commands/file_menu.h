#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <vector>

#include "common/help.h"
#include "paint/commands/workbench.h"
#include "paint/files/read_image.h"

class QAction;

namespace paint {

// File: a new drawing, opening an image (also from the command line or
// dropped on the window), saving it, and the question before unsaved work
// is closed or replaced.
class FileMenu : public QObject {
 public:
  explicit FileMenu(const Workbench& bench);

  void New();
  void Open();
  void Save() { SaveDrawing(); }
  void SaveAs() { SaveDrawingAs(); }
  void Quit();

  // Replaces the document with the file's picture, after asking about
  // unsaved changes if asked to. An unreadable one is reported and the
  // document stays; false then.
  bool OpenFile(const QString& path, bool settleFirst = false);
  QList<common::ShortcutRow> ShortcutRows() const;

 private:
  bool SaveDrawing();
  bool SaveDrawingAs();
  bool SaveTo(const QString& path, const QImage& picture, const Compression& compression,
              const PhotoDetails& details);
  // Says so when the picture is too large for the path's format.
  bool SizeFits(const QString& path);
  // True when the drawing may go: saved, discarded or never changed.
  bool SettleUnsaved();

  Workbench bench_;
  std::vector<QAction*> actions_;
};

}  // namespace paint
