#pragma once

#include <QString>

namespace common {
class Label;
}

namespace calc {

// The display draws its number off the right edge by a margin. A number
// being typed that is wider than the display loses its start behind an
// ellipsis rather than showing half a digit at the edge; a result loses
// digits from the end of its mantissa, before its exponent.
void ShowDisplayText(common::Label& display);

// The display's text as painted.
QString ShownText(const common::Label& display);

}  // namespace calc
