#pragma once

#include <QFont>
#include <QString>
#include <span>

#include "common/listeners.h"
#include "paint/image/marks.h"

namespace paint {

// How the marking tools draw: the width of lines and shapes, dashes, filled
// shapes, smooth edges, redaction in blocks, and the text's font. Kept in
// the user's settings between runs.
class MarkSettings {
 public:
  static constexpr int kMinWidth = 1;
  static constexpr int kMaxWidth = 100;

  int width = 3;
  bool dashed = false;
  bool filled = false;
  bool smooth = true;
  bool blocks = false;  // redaction in blocks rather than a solid box
  QString family;       // the desktop's sans-serif until one is chosen
  int textSize = 16;    // pixels
  bool bold = false;
  bool italic = false;

  // The widths the menu offers; [ and ] step through them.
  static std::span<const int> CommonWidths();
  // The next common width up or down from a width.
  static int Stepped(int width, bool up);

  QFont Font() const;
  MarkPen Pen(QRgb colour) const;

  // Read from and written to the user's settings.
  void Load();
  void Save() const;
  // A setting changed (after Save).
  common::Listeners<> changed;
};

}  // namespace paint
