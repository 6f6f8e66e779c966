#pragma once

namespace calc {

class Form1;

// What the calculator offers beyond its 22 keys: typing, Backspace, the
// clipboard, what a screen reader hears, and a margin at the display's
// right edge. Called once the window's own handlers are bound; everything
// belongs to the window.
void AddExtras(Form1& form);

}  // namespace calc
