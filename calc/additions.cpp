#include "calc/additions.h"

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "calc/accessibility.h"
#include "calc/display_clipboard.h"
#include "calc/display_text.h"
#include "calc/entry.h"
#include "calc/form1.h"
#include "calc/history.h"
#include "calc/keyboard.h"
#include "calc/memory.h"
#include "calc/menu_bar.h"
#include "calc/percent.h"
#include "calc/status.h"

namespace calc {
namespace {

// A key that fails changes nothing: the four fields and the display are put
// back as the key found them, before the error is reported, so that no key
// is left half done.
void KeepStateOnFailure(Form1& form) {
  using State = std::tuple<int16_t, double, double, double, std::string>;
  // A stack: a handler may run while another waits on its message box.
  auto saved = std::make_shared<std::vector<State>>();
  common::Label& display = form.GetLabel("Display");
  form.handlerCalls.Add([&form, &display, saved](const common::HandlerCall& call) {
    if (call.phase == common::HandlerCall::kBefore) {
      saved->emplace_back(form.opCode, form.firstNum, form.secondNum, form.resultNum,
                          display.Caption());
      return;
    }
    if (call.phase == common::HandlerCall::kFailed) {
      std::string shown;
      std::tie(form.opCode, form.firstNum, form.secondNum, form.resultNum, shown) = saved->back();
      display.SetCaption(shown);
    }
    saved->pop_back();
  });
}

}  // namespace

void Attach(Form1& form) {
  KeepStateOnFailure(form);  // first: the others hear the state put back
  auto* entry = new Entry(form);
  new Keyboard(form, *entry);
  new DisplayClipboard(form, *entry);
  new Accessibility(form);
  AddEditMenu(form);  // after the clipboard: it shows the display's actions
  new Percent(form, *entry);
  new PendingStatus(form);  // first in the status bar, the memory's "M" after it
  new Memory(form, *entry);
  new History(form, *entry);
  AddHelpMenu(form);
  ShowDisplayText(form.GetLabel("Display"));
}

}  // namespace calc
