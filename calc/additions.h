#pragma once

namespace calc {

class Form1;

// Everything the calculator offers beyond its 22 keys, attached to the
// window through its listeners: a failing key that changes nothing, typing,
// Backspace, the clipboard, what a screen reader hears, percent, a memory,
// the pending operation in a status bar, a history of results, the menu bar
// and the display's margin and ellipsis. Everything belongs to the window.
void Attach(Form1& form);

}  // namespace calc
