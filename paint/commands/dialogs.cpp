#include "paint/commands/dialogs.h"

namespace paint {

Dialogs& DialogsOf(const QWidget* widget) {
  // A window given only the common dialogs asks paint's real ones.
  static Dialogs real;
  auto* own = dynamic_cast<Dialogs*>(&common::DialogsOf(widget));
  return own ? *own : real;
}

}  // namespace paint
