#pragma once

#include <QObject>
#include <string>

#include "common/controls.h"

namespace calc {

class Form1;

// The number being typed, as edited from outside the 22 keys: Backspace and a
// pasted number. It hears what every key did to tell a number being typed
// (after a digit, the point, Backspace or a paste) from a result or a cleared
// display, which Backspace leaves alone.
class Entry : public QObject {
 public:
  explicit Entry(Form1& form);

  // Removes the last character of a number being typed; "0" when nothing of
  // the number would be left.
  void Backspace();
  // Shows a checked number as if it had been typed.
  void Enter(const std::string& number);
  // Shows a number as if it had been typed, as +1 and -1 write their
  // results: 15 digits, a period, no leading blank.
  void Enter(double number);

 private:
  void AfterKey(bool entersNumber);

  common::Label& display_;
  std::string lastSeen_;  // the display as the last key left it
  bool typing_ = true;    // the "0" at the start counts as typed
};

}  // namespace calc
