#include "calc/form1_layout.h"

#include <QtGlobal>
#include <vector>

#include "calc/keys.h"

namespace calc {
namespace {

using common::ControlKind;
using common::ControlSpec;

// clang-format off
constexpr ControlSpec kDisplay = {.name = "Display", .kind = ControlKind::kLabel, .left = 120, .top = 120, .width = 6615, .height = 615, .caption = "0", .backColor = common::ColourFromRgb(128, 128, 128), .tabIndex = 0, .rightAligned = true};
// clang-format on

// A failing key changes nothing: the report says so after the fault's name.
constexpr common::FaultExplanation kFaultExplanations[] = {
    {common::Fault::kOverflow, QT_TRANSLATE_NOOP("faults",
                                                 "The number is too large for the calculator "
                                                 "(beyond about 1.8E+308). The calculator kept its "
                                                 "previous state.")},
    {common::Fault::kTypeMismatch,
     QT_TRANSLATE_NOOP(
         "faults",
         "The display does not hold a number this key can read, such as a number with two decimal "
         "points. The calculator kept its previous state.")},
    {common::Fault::kInvalidArgument,
     QT_TRANSLATE_NOOP(
         "faults",
         "The square root of a negative number is not defined. The calculator kept its previous "
         "state.")},
    {common::Fault::kDivisionByZero,
     QT_TRANSLATE_NOOP(
         "faults", "A number cannot be divided by zero. The calculator kept its previous state.")},
    {common::Fault::kInvalidOperation,
     QT_TRANSLATE_NOOP("faults",
                       "The result is not a number. The calculator kept its previous state.")},
};

// The display, then the keys.
std::vector<ControlSpec> Controls() {
  std::vector<ControlSpec> controls{kDisplay};
  for (const Key& key : Keys()) controls.push_back(key.control);
  return controls;
}

}  // namespace

// One face for every control: a plain sans-serif that Debian installs with
// Qt, 22.5 points, bold.
const common::FormSpec& Form1Layout() {
  static const std::vector<ControlSpec> controls = Controls();
  static const common::FormSpec form = {
      .caption = "Calculator",
      .clientWidth = 6825,
      .clientHeight = 3720,
      .font = common::FontSpec{"DejaVu Sans", 22.5, 700},
      .controls = controls,
      .faultExplanations = kFaultExplanations,
  };
  return form;
}

}  // namespace calc
