#pragma once

#include <QObject>
#include <QString>
#include <string>

class QWidget;

namespace calc {

class Form1;

// An invisible notification that a screen reader speaks as it appears: each
// text told is shown in it anew, as its name. Orca 43 speaks a label's change
// only when the label is focused, and a changed name or description reaches
// it from Qt 6.4 without its text, but it does speak a notification.
class Notification : public QObject {
 public:
  Notification(QWidget& window, const char* name);

  void Tell(const QString& text);

 private:
  QWidget* widget_;
};

// What a screen reader hears: each key by what it does ("Square root", not its
// caption "Square"), and each new number in the display, which is a label
// that never has the focus.
class Accessibility : public QObject {
 public:
  explicit Accessibility(Form1& form);

 private:
  void DisplayChanged(const std::string& shown);

  Notification* notification_;
};

}  // namespace calc
