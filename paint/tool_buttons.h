#pragma once

#include <cstdint>

namespace paint {

// The tool buttons, by their index in the control array Command1; the tool
// number the handlers use is the index + 1.
// clang-format off
enum ToolButton : int16_t {
  kMove, kFreehand, kLine, kCircle, kEraser, kRectangle, kClear, kFilledBox, kFilledCircle, kBrush
};
// clang-format on

}  // namespace paint
