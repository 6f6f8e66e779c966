#include "calc/keys.h"

#include <Qt>
#include <QtGlobal>
#include <algorithm>

#include "calc/form1.h"

namespace calc {
namespace {

constexpr auto kKey = common::ControlKind::kCommandButton;

// Keys lie on a grid: columns 960 twips apart from 120, rows 720 apart from
// 840; a single key is 855 x 615, a wide one 1815 x 615. In the order the
// window description lists them.
// clang-format off
constexpr Key kKeys[] = {
    {{.name = "Num7", .kind = kKey, .left = 120, .top = 840, .width = 855, .height = 615, .caption = "7", .tabIndex = 1}, &Form1::Num7_Click, "", "7", {Qt::Key_7}, true},
    {{.name = "Num8", .kind = kKey, .left = 1080, .top = 840, .width = 855, .height = 615, .caption = "8", .tabIndex = 2}, &Form1::Num8_Click, "", "8", {Qt::Key_8}, true},
    {{.name = "Num9", .kind = kKey, .left = 2040, .top = 840, .width = 855, .height = 615, .caption = "9", .tabIndex = 3}, &Form1::Num9_Click, "", "9", {Qt::Key_9}, true},
    {{.name = "Num4", .kind = kKey, .left = 120, .top = 1560, .width = 855, .height = 615, .caption = "4", .tabIndex = 4}, &Form1::Num4_Click, "", "4", {Qt::Key_4}, true},
    {{.name = "Num5", .kind = kKey, .left = 1080, .top = 1560, .width = 855, .height = 615, .caption = "5", .tabIndex = 5}, &Form1::Num5_Click, "", "5", {Qt::Key_5}, true},
    {{.name = "Num6", .kind = kKey, .left = 2040, .top = 1560, .width = 855, .height = 615, .caption = "6", .tabIndex = 6}, &Form1::Num6_Click, "", "6", {Qt::Key_6}, true},
    {{.name = "Num1", .kind = kKey, .left = 120, .top = 2280, .width = 855, .height = 615, .caption = "1", .tabIndex = 7}, &Form1::Num1_Click, "", "1", {Qt::Key_1}, true},
    {{.name = "Num3", .kind = kKey, .left = 2040, .top = 2280, .width = 855, .height = 615, .caption = "3", .tabIndex = 8}, &Form1::Num3_Click, "", "3", {Qt::Key_3}, true},
    {{.name = "Num0", .kind = kKey, .left = 120, .top = 3000, .width = 1815, .height = 615, .caption = "0", .tabIndex = 9}, &Form1::Num0_Click, "", "0", {Qt::Key_0}, true},
    {{.name = "Point", .kind = kKey, .left = 2040, .top = 3000, .width = 855, .height = 615, .caption = ".", .tabIndex = 10}, &Form1::Point_Click, QT_TRANSLATE_NOOP("calc", "Decimal point"), QT_TRANSLATE_NOOP("calc", ". or ,"), {Qt::Key_Period, Qt::Key_Comma}, true},
    {{.name = "Num2", .kind = kKey, .left = 1080, .top = 2280, .width = 855, .height = 615, .caption = "2", .tabIndex = 11}, &Form1::Num2_Click, "", "2", {Qt::Key_2}, true},
    {{.name = "Plus", .kind = kKey, .left = 3000, .top = 840, .width = 1815, .height = 615, .caption = "+", .tabIndex = 12}, &Form1::Plus_Click, QT_TRANSLATE_NOOP("calc", "Add"), "+", {Qt::Key_Plus}},
    {{.name = "Minus", .kind = kKey, .left = 3000, .top = 2280, .width = 1815, .height = 615, .caption = "-", .tabIndex = 13}, &Form1::Minus_Click, QT_TRANSLATE_NOOP("calc", "Subtract"), "-", {Qt::Key_Minus}},
    {{.name = "Multiple", .kind = kKey, .left = 3960, .top = 1560, .width = 855, .height = 615, .caption = "*", .tabIndex = 14}, &Form1::Multiple_Click, QT_TRANSLATE_NOOP("calc", "Multiply"), "*", {Qt::Key_Asterisk}},
    {{.name = "Divide", .kind = kKey, .left = 3000, .top = 1560, .width = 855, .height = 615, .caption = "/", .tabIndex = 15}, &Form1::Divide_Click, QT_TRANSLATE_NOOP("calc", "Divide"), "/", {Qt::Key_Slash}},
    {{.name = "Equal", .kind = kKey, .left = 3000, .top = 3000, .width = 1815, .height = 615, .caption = "=", .tabIndex = 16}, &Form1::Equal_Click, QT_TRANSLATE_NOOP("calc", "Equals"), QT_TRANSLATE_NOOP("calc", "= or Enter"), {Qt::Key_Equal, Qt::Key_Return, Qt::Key_Enter}},
    {{.name = "Square", .kind = kKey, .left = 4920, .top = 2280, .width = 1815, .height = 615, .caption = "x^2", .tabIndex = 17}, &Form1::Square_Click, QT_TRANSLATE_NOOP("calc", "Square"), "Q", {Qt::Key_Q}},
    {{.name = "Sq", .kind = kKey, .left = 4920, .top = 3000, .width = 1815, .height = 615, .caption = "Square", .tabIndex = 18}, &Form1::Sq_Click, QT_TRANSLATE_NOOP("calc", "Square root"), "R", {Qt::Key_R}},
    {{.name = "Clear", .kind = kKey, .left = 4920, .top = 840, .width = 855, .height = 615, .caption = "C", .tabIndex = 19}, &Form1::Clear_Click, QT_TRANSLATE_NOOP("calc", "Clear"), QT_TRANSLATE_NOOP("calc", "Esc"), {Qt::Key_Escape}},
    {{.name = "CE", .kind = kKey, .left = 5880, .top = 840, .width = 855, .height = 615, .caption = "CE", .tabIndex = 20}, &Form1::CE_Click, QT_TRANSLATE_NOOP("calc", "Clear entry"), QT_TRANSLATE_NOOP("calc", "Delete"), {Qt::Key_Delete}},
    {{.name = "Erase", .kind = kKey, .left = 4920, .top = 1560, .width = 855, .height = 615, .caption = "-1", .tabIndex = 21}, &Form1::Erase_Click, QT_TRANSLATE_NOOP("calc", "Subtract one"), "M", {Qt::Key_M}},
    {{.name = "P1", .kind = kKey, .left = 5880, .top = 1560, .width = 855, .height = 615, .caption = "+1", .tabIndex = 22}, &Form1::P1_Click, QT_TRANSLATE_NOOP("calc", "Add one"), "P", {Qt::Key_P}},
};
// clang-format on

}  // namespace

std::span<const Key> Keys() {
  return kKeys;
}

const Key* KeyNamed(std::string_view control) {
  const auto found =
      std::ranges::find(kKeys, control, [](const Key& key) { return key.control.name; });
  return found == std::end(kKeys) ? nullptr : &*found;
}

const Key* KeyTypedAs(int key) {
  if (key == 0) return nullptr;
  const auto found = std::ranges::find_if(kKeys, [key](const Key& entry) {
    return std::ranges::find(entry.typed, key) != entry.typed.end();
  });
  return found == std::end(kKeys) ? nullptr : &*found;
}

}  // namespace calc
