#include "calc/form1_layout.h"

namespace calc {
namespace {

using common::ControlKind;
using common::ControlSpec;

constexpr auto kKey = ControlKind::kCommandButton;

// Keys lie on a grid: columns 960 twips apart from 120, rows 720 apart from
// 840; a single key is 855 x 615, a wide one 1815 x 615.
// clang-format off
constexpr ControlSpec kControls[] = {
    {.name = "Display", .kind = ControlKind::kLabel, .left = 120, .top = 120, .width = 6615, .height = 615, .caption = "0", .backColor = common::ColourFromRgb(128, 128, 128), .tabIndex = 0, .rightAligned = true},
    {.name = "Num7", .kind = kKey, .left = 120, .top = 840, .width = 855, .height = 615, .caption = "7", .tabIndex = 1},
    {.name = "Num8", .kind = kKey, .left = 1080, .top = 840, .width = 855, .height = 615, .caption = "8", .tabIndex = 2},
    {.name = "Num9", .kind = kKey, .left = 2040, .top = 840, .width = 855, .height = 615, .caption = "9", .tabIndex = 3},
    {.name = "Num4", .kind = kKey, .left = 120, .top = 1560, .width = 855, .height = 615, .caption = "4", .tabIndex = 4},
    {.name = "Num5", .kind = kKey, .left = 1080, .top = 1560, .width = 855, .height = 615, .caption = "5", .tabIndex = 5},
    {.name = "Num6", .kind = kKey, .left = 2040, .top = 1560, .width = 855, .height = 615, .caption = "6", .tabIndex = 6},
    {.name = "Num1", .kind = kKey, .left = 120, .top = 2280, .width = 855, .height = 615, .caption = "1", .tabIndex = 7},
    {.name = "Num3", .kind = kKey, .left = 2040, .top = 2280, .width = 855, .height = 615, .caption = "3", .tabIndex = 8},
    {.name = "Num0", .kind = kKey, .left = 120, .top = 3000, .width = 1815, .height = 615, .caption = "0", .tabIndex = 9},
    {.name = "Point", .kind = kKey, .left = 2040, .top = 3000, .width = 855, .height = 615, .caption = ".", .tabIndex = 10},
    {.name = "Num2", .kind = kKey, .left = 1080, .top = 2280, .width = 855, .height = 615, .caption = "2", .tabIndex = 11},
    {.name = "Plus", .kind = kKey, .left = 3000, .top = 840, .width = 1815, .height = 615, .caption = "+", .tabIndex = 12},
    {.name = "Minus", .kind = kKey, .left = 3000, .top = 2280, .width = 1815, .height = 615, .caption = "-", .tabIndex = 13},
    {.name = "Multiple", .kind = kKey, .left = 3960, .top = 1560, .width = 855, .height = 615, .caption = "*", .tabIndex = 14},
    {.name = "Divide", .kind = kKey, .left = 3000, .top = 1560, .width = 855, .height = 615, .caption = "/", .tabIndex = 15},
    {.name = "Equal", .kind = kKey, .left = 3000, .top = 3000, .width = 1815, .height = 615, .caption = "=", .tabIndex = 16},
    {.name = "Square", .kind = kKey, .left = 4920, .top = 2280, .width = 1815, .height = 615, .caption = "x^2", .tabIndex = 17},
    {.name = "Sq", .kind = kKey, .left = 4920, .top = 3000, .width = 1815, .height = 615, .caption = "Square", .tabIndex = 18},
    {.name = "Clear", .kind = kKey, .left = 4920, .top = 840, .width = 855, .height = 615, .caption = "C", .tabIndex = 19},
    {.name = "CE", .kind = kKey, .left = 5880, .top = 840, .width = 855, .height = 615, .caption = "CE", .tabIndex = 20},
    {.name = "Erase", .kind = kKey, .left = 4920, .top = 1560, .width = 855, .height = 615, .caption = "-1", .tabIndex = 21},
    {.name = "P1", .kind = kKey, .left = 5880, .top = 1560, .width = 855, .height = 615, .caption = "+1", .tabIndex = 22},
};
// clang-format on

// A failing key changes nothing: the report says so after the fault's name.
constexpr common::FaultExplanation kFaultExplanations[] = {
    {common::Fault::kOverflow,
     "The number is too large for the calculator (beyond about 1.8E+308). The calculator kept its "
     "previous state."},
    {common::Fault::kTypeMismatch,
     "The display does not hold a number this key can read, such as a number with two decimal "
     "points. The calculator kept its previous state."},
    {common::Fault::kInvalidArgument,
     "The square root of a negative number is not defined. The calculator kept its previous "
     "state."},
    {common::Fault::kDivisionByZero,
     "A number cannot be divided by zero. The calculator kept its previous state."},
    {common::Fault::kInvalidOperation,
     "The result is not a number. The calculator kept its previous state."},
};

// One face for every control: a plain sans-serif that Debian installs with
// Qt, 22.5 points, bold.
constexpr common::FormSpec kForm1 = {
    .caption = "Calculator",
    .clientWidth = 6825,
    .clientHeight = 3720,
    .font = common::FontSpec{"DejaVu Sans", 22.5, 700},
    .controls = kControls,
    .faultExplanations = kFaultExplanations,
};

}  // namespace

const common::FormSpec& Form1Layout() {
  return kForm1;
}

}  // namespace calc
