#pragma once

#include <QObject>
#include <map>

class QAbstractButton;
class QKeyEvent;
class QTimer;

namespace calc {

class Entry;
class Form1;

// Typed keys click the calculator's own keys, wherever the focus is in the
// window and whichever key has it, and Backspace edits the number being
// typed. Nothing is typed while a message box is open.
class Keyboard : public QObject {
 public:
  Keyboard(Form1& form, Entry& entry);

 private:
  void Typed(QKeyEvent& key);
  void Click(QAbstractButton& button);
  QTimer& ReleaseTimer(QAbstractButton& button);

  Form1& form_;
  Entry& entry_;
  std::map<QAbstractButton*, QTimer*> release_;
};

}  // namespace calc
