#pragma once

#include <array>
#include <span>
#include <string_view>

namespace calc {

// What the keyboard and assistive technology know of each of the 22 keys.
// The captions stay as the layout has them ("Square" takes the root); the
// spoken names say what a key does.
struct KeySpec {
  std::string_view control;
  std::string_view spokenName;  // empty: the caption says it (the digits)
  std::string_view typedAs;     // the typed keys, as the tooltip names them
  std::array<int, 3> keys;      // Qt::Key codes, 0 for none
  bool entersNumber = false;    // a digit or the point: the number is being typed
};

std::span<const KeySpec> KeyTable();

// The key a typed Qt::Key clicks, or nullptr. The keypad's keys have the same
// codes as the main ones, and a letter's code is the same with and without
// Shift, so both count.
const KeySpec* KeyTypedAs(int key);

}  // namespace calc
