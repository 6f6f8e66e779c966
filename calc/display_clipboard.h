#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <string>

#include "common/numbers.h"

namespace calc {

class Entry;
class Form1;

// The display's number as copied: without the blank in front of a result.
std::string CopiedText(const std::string& shown);

// A clipboard text as the display shows it, or nothing when it is not one
// number: blanks around it are dropped; the period form is read first, then
// the user's locale with its separators and digit grouping. The number is
// shown as NumberText writes it with a period.
std::optional<std::string> PastedNumber(const QString& text, const common::NumberFormat& locale);

// Copy and Paste for the display: Ctrl+C / Ctrl+Insert, Ctrl+V / Shift+Insert
// and the display's context menu. A text that is not a number changes nothing
// and beeps.
class DisplayClipboard : public QObject {
 public:
  DisplayClipboard(Form1& form, Entry& entry);

 private:
  void Copy();
  void Paste();

  Form1& form_;
  Entry& entry_;
};

}  // namespace calc
