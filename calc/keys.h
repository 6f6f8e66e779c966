#pragma once

#include <array>
#include <span>
#include <string_view>

#include "common/layout.h"

namespace calc {

class Form1;

// Everything about each of the 22 keys: its control in the window
// description, its handler, and what the keyboard and assistive technology
// know of it. The captions stay as the layout has them ("Square" takes the
// root); the spoken names say what a key does.
struct Key {
  common::ControlSpec control;
  void (Form1::*handler)();
  std::string_view spokenName;  // empty: the caption says it (the digits)
  std::string_view typedAs;     // the typed keys, as the tooltip names them
  std::array<int, 3> typed;     // Qt::Key codes, 0 for none
  bool entersNumber = false;    // a digit or the point: the number is being typed
};

std::span<const Key> Keys();

// The key of a control, or nullptr.
const Key* KeyNamed(std::string_view control);

// The key a typed Qt::Key clicks, or nullptr. The keypad's keys have the same
// codes as the main ones, and a letter's code is the same with and without
// Shift, so both count.
const Key* KeyTypedAs(int key);

}  // namespace calc
