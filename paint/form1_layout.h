#pragma once

#include <array>
#include <string_view>

#include "common/layout.h"

namespace paint {

// The drawing window: its caption, size, icon and every control.
const common::FormSpec& Form1Layout();

// What each tool button shows in the description label, by button index.
extern const std::array<std::string_view, 10> kToolDescriptions;

}  // namespace paint
