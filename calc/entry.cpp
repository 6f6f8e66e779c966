#include "calc/entry.h"

#include "calc/form1.h"
#include "calc/keys.h"

namespace calc {

Entry::Entry(Form1& form)
    : QObject(&form), display_(form.GetLabel("Display")), lastSeen_(display_.Caption()) {
  // Connected after the window's own handlers, so this sees what a key did.
  for (const KeySpec& key : KeyTable()) {
    connect(&form.GetButton(key.control), &QAbstractButton::clicked, this,
            [this, enters = key.entersNumber] { AfterKey(enters); });
  }
}

// A key that leaves the display as it was (one that failed, or an operation
// on "0") does not end the typing, so a number with two points can still be
// mended after the error it caused.
void Entry::AfterKey(bool entersNumber) {
  typing_ = entersNumber || (typing_ && display_.Caption() == lastSeen_);
  lastSeen_ = display_.Caption();
}

void Entry::Backspace() {
  if (!typing_ || display_.Caption() != lastSeen_) return;
  std::string text = display_.Caption();
  if (!text.empty()) text.pop_back();
  // A lone blank (left of a result) or minus sign is no number.
  if (text.find_first_not_of(" -") == std::string::npos) text = "0";
  display_.SetCaption(text);
  lastSeen_ = text;
}

void Entry::Enter(const std::string& number) {
  display_.SetCaption(number);
  lastSeen_ = number;
  typing_ = true;
}

}  // namespace calc
