#pragma once

#include <QObject>
#include <cstdint>
#include <span>

#include "common/menu.h"

namespace calc {

class Entry;
class Form1;

// The number shown taken as a percentage: of the first operand while an
// addition or subtraction waits (200 + 25 % is 50, so that equals gives
// 250), else the number divided by 100 (200 * 25 % is 0.25, so that equals
// gives 50). Raises kOverflow when the share leaves the Double range.
double PercentOf(int16_t opCode, double firstNum, double shown);

// Calculate > Percent and the % key: the share replaces the number shown as
// if it had been typed. The four fields stay as they are.
class Percent : public QObject {
 public:
  Percent(Form1& form, Entry& entry);

  void Apply();

  static std::span<const common::MenuItem<Percent>> MenuItems();

 private:
  Form1& form_;
  Entry& entry_;
};

}  // namespace calc
