#pragma once

#include <QObject>
#include <cstdint>
#include <string>

class QLabel;

namespace calc {

class Form1;
class Notification;

// The key of an operation code as the window captions it ("+", "-", "*",
// "/"), or nothing for 0.
std::string OperatorText(int16_t opCode);

// The operation waiting for equals, in sight below the keys: its first
// operand, as the display writes numbers, and its key ("12 +"); nothing
// while none waits. It follows the four fields after every key, so it shows
// the operand equals will use (after a square root, the root's argument) and
// clears with C. A screen reader hears each new one.
class PendingStatus : public QObject {
 public:
  explicit PendingStatus(Form1& form);

 private:
  void Update();

  Form1& form_;
  QLabel* label_;
  Notification* notification_;
};

}  // namespace calc
