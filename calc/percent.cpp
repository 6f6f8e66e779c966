#include "calc/percent.h"

#include <QKeyEvent>
#include <cmath>

#include "calc/entry.h"
#include "calc/form1.h"
#include "common/numbers.h"

namespace calc {
namespace {

constexpr common::MenuItem<Percent> kMenu[] = {
    {QT_TRANSLATE_NOOP("menus", "&Calculate"), QT_TRANSLATE_NOOP("menus", "&Percent"),
     QKeySequence::UnknownKey, "%", &Percent::Apply},
};

}  // namespace

double PercentOf(int16_t opCode, double firstNum, double shown) {
  if (opCode != 1 && opCode != 2) return shown / 100;
  // The product first keeps whole percentages exact (200 * 7 / 100 is 14);
  // only where it alone would overflow is the share taken first.
  const double product = firstNum * shown;
  return common::CheckFloat(std::isfinite(product) ? product / 100 : firstNum * (shown / 100));
}

Percent::Percent(Form1& form, Entry& entry) : QObject(&form), form_(form), entry_(entry) {
  common::AddMenus<Percent>(form, *this, kMenu);
  // Where the platform tells a % typed with Shift from a plain one, the
  // menu's shortcut misses it: the key itself is heard too.
  form.keys.Add([this](QKeyEvent& key) {
    if (key.isAccepted() || key.key() != Qt::Key_Percent ||
        (key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) != Qt::NoModifier)
      return;
    key.accept();
    Apply();
  });
}

std::span<const common::MenuItem<Percent>> Percent::MenuItems() {
  return kMenu;
}

// Read as equals reads the display, so that the share is taken of the number
// equals would have used.
void Percent::Apply() {
  entry_.Enter(PercentOf(form_.opCode, form_.firstNum,
                         common::ValueOfText(form_.GetLabel("Display").Caption())));
}

}  // namespace calc
