#include "calc/extras.h"

#include "calc/accessibility.h"
#include "calc/display_clipboard.h"
#include "calc/entry.h"
#include "calc/form1.h"
#include "calc/keyboard.h"
#include "common/layout.h"

namespace calc {
namespace {

// Keeps the last digit off the display's right edge.
constexpr int kDisplayMarginTwips = 90;

}  // namespace

void AddExtras(Form1& form) {
  auto* entry = new Entry(form);
  new Keyboard(form, *entry);
  new DisplayClipboard(form, *entry);
  new Accessibility(form);
  form.GetLabel("Display").setIndent(common::TwipsToPixels(kDisplayMarginTwips));
}

}  // namespace calc
