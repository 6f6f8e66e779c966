#include "calc/entry.h"

#include "calc/form1.h"
#include "calc/keys.h"
#include "common/numbers.h"

namespace calc {

Entry::Entry(Form1& form)
    : QObject(&form), display_(form.GetLabel("Display")), lastSeen_(display_.Caption()) {
  // A key that failed was put back as it was, so a number with two points
  // can still be mended after the error it caused.
  form.handlerCalls.Add([this](const common::HandlerCall& call) {
    if (call.phase != common::HandlerCall::kAfter) return;
    if (const Key* key = KeyNamed(call.control)) AfterKey(key->entersNumber);
  });
}

// A key that leaves the display as it was (an operation on "0") does not end
// the typing.
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

void Entry::Enter(double number) {
  Enter(common::NumberText(number, common::PeriodFormat()));
}

}  // namespace calc
