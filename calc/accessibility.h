#pragma once

#include <QObject>
#include <string>

class QWidget;

namespace calc {

class Form1;

// What a screen reader hears: each key by what it does ("Square root", not its
// caption "Square"), and each new number in the display. The display is a
// label that never has the focus, and Orca 43 speaks a label's change only
// when it is focused; a changed name or description reaches it from Qt 6.4
// without its text. Orca does speak a notification as it appears, so each new
// number is shown in an invisible notification named by the number.
class Accessibility : public QObject {
 public:
  explicit Accessibility(Form1& form);

 private:
  void DisplayChanged(const std::string& shown);

  QWidget* notification_;
};

}  // namespace calc
