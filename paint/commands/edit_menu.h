#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <vector>

#include "common/help.h"
#include "paint/commands/workbench.h"

class QAction;

namespace paint {

// Edit: undo and redo by name, the selection and the clipboard. Escape
// drops the selection or a paste, Enter sets a paste down.
class EditMenu : public QObject {
 public:
  explicit EditMenu(const Workbench& bench);

  void Undo() { Travel(true); }
  void Redo() { Travel(false); }
  void Cut();
  void Copy();
  void Paste();
  void Delete();
  void SelectAll();
  QList<common::ShortcutRow> ShortcutRows() const;

 private:
  // Undo or redo, a large packed step unpacked aside first.
  void Travel(bool undo);
  // Clears the selected pixels as one step of this name.
  void ClearSelection(const QString& name);
  // The clipboard's image, without waiting long on another program.
  QImage ClipboardImage();
  // The texts and states of the commands, as the document now stands.
  void Follow();
  void FollowSelection();

  Workbench bench_;
  std::vector<QAction*> actions_;
  bool clipboardHasImage_ = false;
};

}  // namespace paint
