#pragma once

#include <QList>
#include <QObject>

#include "common/help.h"
#include "paint/commands/workbench.h"
#include "paint/tools/tool_box.h"

class QAction;
class QLabel;

namespace paint {

class MarkSettings;

// Tools: the tools beside the window's own buttons, and how the marking
// tools draw (width, dashes, filled shapes, smooth edges, redaction in
// blocks, the text's font), with the width in the status bar.
class ToolsMenu : public QObject {
 public:
  explicit ToolsMenu(const Workbench& bench);

  // Makes the tool of this class the active one.
  template <class T>
  void Choose() {
    bench_.tools.Choose(bench_.tools.Find<T>());
  }
  void Thinner();
  void Thicker();
  void TextFont();
  void SetWidth(int width);
  QList<common::ShortcutRow> ShortcutRows() const;

 protected:
  // A command's shortcut sets down the text first.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  MarkSettings& Settings() const;
  void Changed();
  void SettleBeforeOtherMenus();

  Workbench bench_;
  QList<QAction*> widths_;
  QAction* dashed_ = nullptr;
  QAction* filled_ = nullptr;
  QAction* smooth_ = nullptr;
  QAction* blocks_ = nullptr;
  QLabel* width_ = nullptr;
};

}  // namespace paint
