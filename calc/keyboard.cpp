#include "calc/keyboard.h"

#include "common/i18n.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QTimer>

#include "calc/entry.h"
#include "calc/form1.h"
#include "calc/keys.h"
#include "common/text.h"

namespace calc {
namespace {

// How long a typed key is shown pressed, as long as a quick click.
constexpr int kShownPressedMs = 100;

}  // namespace

Keyboard::Keyboard(Form1& form, Entry& entry) : QObject(&form), form_(form), entry_(entry) {
  form.keys.Add([this](QKeyEvent& key) { Typed(key); });
  for (const Key& key : Keys()) {
    QAbstractButton& button = form.GetButton(key.control.name);
    button.setToolTip(
        common::Tr("calc", "%1 (key %2)")
            .arg(key.spokenName.empty() ? button.text() : common::Tr("calc", key.spokenName.data()),
                 common::Tr("calc", key.typedAs.data())));
    // A key shown pressed after typing and then pressed for real (pointer or
    // Space): the real press owns the down state, so that its release clicks.
    connect(&button, &QAbstractButton::pressed, this, [this, &button] {
      const auto found = release_.find(&button);
      if (found != release_.end()) found->second->stop();
    });
  }
}

void Keyboard::Typed(QKeyEvent& key) {
  if (key.isAccepted()) return;
  // Shift makes "+" and "*" on many layouts and capitals of the letters.
  if ((key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) != Qt::NoModifier) return;
  if (key.key() == Qt::Key_Backspace) {
    entry_.Backspace();
    key.accept();
    return;
  }
  if (const Key* typed = KeyTypedAs(key.key())) {
    Click(form_.GetButton(typed->control.name));
    key.accept();
  }
}

// One click per keystroke, at once and in the order typed (a repeated
// animateClick would fold quick presses of one key into one click), then the
// key is shown pressed for a moment.
void Keyboard::Click(QAbstractButton& button) {
  QTimer& release = ReleaseTimer(button);
  // Held by the pointer or Space: that press stays, and its release clicks.
  const bool held = button.isDown() && !release.isActive();
  button.click();
  button.setDown(true);
  if (!held) release.start();
}

QTimer& Keyboard::ReleaseTimer(QAbstractButton& button) {
  QTimer*& timer = release_[&button];
  if (!timer) {
    timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setInterval(kShownPressedMs);
    connect(timer, &QTimer::timeout, &button, [&button] { button.setDown(false); });
  }
  return *timer;
}

}  // namespace calc
