#pragma once

namespace calc {

class Form1;

// The first menu of the calculator's bar, Edit: the display's own Copy and
// Paste, the same actions as its context menu.
void AddEditMenu(Form1& form);

// The last, Help: Keyboard Shortcuts lists every menu command with a key,
// then the keys of the 22 keys and Backspace; About and About Qt.
void AddHelpMenu(Form1& form);

}  // namespace calc
