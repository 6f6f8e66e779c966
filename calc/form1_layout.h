#pragma once

#include "common/layout.h"

namespace calc {

// The calculator window: its caption, size, font and every control.
const common::FormSpec& Form1Layout();

}  // namespace calc
