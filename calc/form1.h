#pragma once

#include <cstdint>

#include "common/form.h"

namespace calc {

// The calculator window. The number being typed lives only in the text of
// Display; these four fields are the rest of the state.
class Form1 : public common::Form {
 public:
  Form1();

  int16_t opCode = 0;  // 0 none, 1 add, 2 subtract, 3 multiply, 4 divide
  double firstNum = 0;
  double secondNum = 0;
  double resultNum = 0;

  void Num0_Click();
  void Num1_Click();
  void Num2_Click();
  void Num3_Click();
  void Num4_Click();
  void Num5_Click();
  void Num6_Click();
  void Num7_Click();
  void Num8_Click();
  void Num9_Click();
  void Point_Click();
  void CE_Click();
  void Clear_Click();
  void Erase_Click();
  void P1_Click();
  void Plus_Click();
  void Minus_Click();
  void Multiple_Click();
  void Divide_Click();
  void Equal_Click();
  void Sq_Click();
  void Square_Click();

 private:
  void AppendDigit(char digit);
  void SetOperation(int16_t code);

  common::Label& Display;
};

}  // namespace calc
