#include "calc/keys.h"

#include <Qt>
#include <algorithm>

namespace calc {
namespace {

// clang-format off
constexpr KeySpec kKeys[] = {
    {"Num0", "", "0", {Qt::Key_0}, true},
    {"Num1", "", "1", {Qt::Key_1}, true},
    {"Num2", "", "2", {Qt::Key_2}, true},
    {"Num3", "", "3", {Qt::Key_3}, true},
    {"Num4", "", "4", {Qt::Key_4}, true},
    {"Num5", "", "5", {Qt::Key_5}, true},
    {"Num6", "", "6", {Qt::Key_6}, true},
    {"Num7", "", "7", {Qt::Key_7}, true},
    {"Num8", "", "8", {Qt::Key_8}, true},
    {"Num9", "", "9", {Qt::Key_9}, true},
    {"Point", "Decimal point", ". or ,", {Qt::Key_Period, Qt::Key_Comma}, true},
    {"Plus", "Add", "+", {Qt::Key_Plus}},
    {"Minus", "Subtract", "-", {Qt::Key_Minus}},
    {"Multiple", "Multiply", "*", {Qt::Key_Asterisk}},
    {"Divide", "Divide", "/", {Qt::Key_Slash}},
    {"Equal", "Equals", "= or Enter", {Qt::Key_Equal, Qt::Key_Return, Qt::Key_Enter}},
    {"Sq", "Square root", "R", {Qt::Key_R}},
    {"Square", "Square", "Q", {Qt::Key_Q}},
    {"P1", "Add one", "P", {Qt::Key_P}},
    {"Erase", "Subtract one", "M", {Qt::Key_M}},
    {"Clear", "Clear", "Esc", {Qt::Key_Escape}},
    {"CE", "Clear entry", "Delete", {Qt::Key_Delete}},
};
// clang-format on

}  // namespace

std::span<const KeySpec> KeyTable() {
  return kKeys;
}

const KeySpec* KeyTypedAs(int key) {
  if (key == 0) return nullptr;
  for (const KeySpec& entry : kKeys) {
    if (std::ranges::find(entry.keys, key) != entry.keys.end()) return &entry;
  }
  return nullptr;
}

}  // namespace calc
