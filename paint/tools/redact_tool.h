#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>

#include "paint/files/read_image.h"
#include "paint/tools/tool.h"

class QPainter;

namespace paint {

// Drag a rectangle over what to hide: on release its pixels become a solid
// box in the current colour, or blocks whose shades come from chance alone
// (the settings' choice). The preview shows exactly what will land.
//
// Hidden pixels must not outlive a save of the picture that hides them:
// once it is saved, the undo history (whose steps, packed ones in the cache
// folder included, hold what was there) starts afresh, and a copy of the
// picture on the clipboard made before the redaction is taken off it. The
// recovery copy goes with the save as always.
class RedactTool : public Tool {
 public:
  explicit RedactTool(ToolContext& context);
  QString Description() const override;
  void Press(QPoint at) override;
  void Drag(QPoint at) override;
  void Release() override;
  void Settle() override;

 private:
  QRect Area() const;
  void Paint(QPainter& painter) const;
  void AfterChange();

  bool dragging_ = false;
  QPoint from_, to_;
  uint32_t seed_ = 0;
  // Redactions the history holds since it last began afresh, and whether
  // the clipboard may hold what one of them hid.
  bool inHistory_ = false;
  bool clipboardStale_ = false;
  // The file as last seen, which tells a save from an undo back to it.
  QString file_;
  FileStamp stamp_;
};

}  // namespace paint
