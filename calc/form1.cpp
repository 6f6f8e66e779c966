#include "calc/form1.h"

#include <string>

#include "calc/form1_layout.h"
#include "calc/keys.h"
#include "common/numbers.h"

namespace calc {
namespace {

using common::CheckFloat;
using common::SignedNumberText;
using common::SquareRoot;
using common::ValueOfText;

// The display is written and read in the period form in every locale: the
// point key and the results put a period there, so the keys that convert it
// must read and write that same form.
std::string NumberText(double value) {
  return common::NumberText(value, common::PeriodFormat());
}
double ToDouble(const std::string& text) {
  return common::ToDouble(text, common::PeriodFormat());
}

}  // namespace

Form1::Form1() : common::Form(Form1Layout()), Display(GetLabel("Display")) {
  for (const Key& key : Keys())
    OnClick(key.control.name, [this, handler = key.handler] { (this->*handler)(); });
}

// "0" becomes the digit; any other text, a result with its blank included,
// gets the digit appended.
void Form1::AppendDigit(char digit) {
  if (Display.Caption() != "0") Display.SetCaption(Display.Caption() + digit);
  if (Display.Caption() == "0") Display.SetCaption(std::string(1, digit));
}

void Form1::Num1_Click() {
  AppendDigit('1');
}
void Form1::Num2_Click() {
  AppendDigit('2');
}
void Form1::Num3_Click() {
  AppendDigit('3');
}
void Form1::Num4_Click() {
  AppendDigit('4');
}
void Form1::Num5_Click() {
  AppendDigit('5');
}
void Form1::Num6_Click() {
  AppendDigit('6');
}
void Form1::Num7_Click() {
  AppendDigit('7');
}
void Form1::Num8_Click() {
  AppendDigit('8');
}
void Form1::Num9_Click() {
  AppendDigit('9');
}

void Form1::Num0_Click() {
  if (Display.Caption() != "0") Display.SetCaption(Display.Caption() + "0");
}

void Form1::Point_Click() {
  Display.SetCaption(Display.Caption() + ".");
}

void Form1::CE_Click() {
  Display.SetCaption("0");
}

void Form1::Clear_Click() {
  opCode = 0;
  firstNum = 0;
  secondNum = 0;
  resultNum = 0;
  Display.SetCaption("0");
}

void Form1::Erase_Click() {
  Display.SetCaption(NumberText(CheckFloat(ToDouble(Display.Caption()) - 1)));
}

void Form1::P1_Click() {
  Display.SetCaption(NumberText(CheckFloat(ToDouble(Display.Caption()) + 1)));
}

void Form1::SetOperation(int16_t code) {
  opCode = code;
  firstNum = ValueOfText(Display.Caption());
  Display.SetCaption("0");
}

void Form1::Plus_Click() {
  SetOperation(1);
}
void Form1::Minus_Click() {
  SetOperation(2);
}
void Form1::Multiple_Click() {
  SetOperation(3);
}
void Form1::Divide_Click() {
  SetOperation(4);
}

void Form1::Equal_Click() {
  secondNum = ValueOfText(Display.Caption());
  // Each result is checked before it is stored, so no field ever holds an
  // infinity.
  switch (opCode) {
    case 1:
      resultNum = CheckFloat(firstNum + secondNum);
      break;
    case 2:
      resultNum = CheckFloat(firstNum - secondNum);
      break;
    case 3:
      resultNum = CheckFloat(firstNum * secondNum);
      break;
    case 4:
      if (secondNum == 0) {
        MsgBox("Cannot divide by zero", common::kOkOnly, "Calculator Error");
      } else {
        resultNum = CheckFloat(firstNum / secondNum);
      }
      break;
    default:
      break;
  }
  Display.SetCaption(SignedNumberText(resultNum));
}

void Form1::Sq_Click() {
  firstNum = ToDouble(Display.Caption());
  resultNum = SquareRoot(firstNum);
  Display.SetCaption(SignedNumberText(resultNum));
}

void Form1::Square_Click() {
  firstNum = ValueOfText(Display.Caption());
  resultNum = CheckFloat(firstNum * firstNum);
  Display.SetCaption(SignedNumberText(resultNum));
}

}  // namespace calc
