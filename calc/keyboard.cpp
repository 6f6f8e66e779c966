#include "calc/keyboard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
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
  // Key events go to the focused control and then up to the window.
  form.installEventFilter(this);
  for (QWidget* child : form.findChildren<QWidget*>()) child->installEventFilter(this);
  for (const KeySpec& key : KeyTable()) {
    QAbstractButton& button = form.GetButton(key.control);
    button.setToolTip(
        QString("%1 (key %2)")
            .arg(key.spokenName.empty() ? button.text() : common::ToQString(key.spokenName),
                 common::ToQString(key.typedAs)));
  }
}

bool Keyboard::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    KeepPress(watched);
    return false;
  }
  if (type != QEvent::KeyPress || QApplication::activeModalWidget()) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  // Shift makes "+" and "*" on many layouts and capitals of the letters.
  if ((key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) != Qt::NoModifier)
    return false;
  if (key->key() == Qt::Key_Space || key->key() == Qt::Key_Select) {
    KeepPress(watched);  // the focused key's own press
    return false;
  }
  if (key->key() == Qt::Key_Backspace) {
    entry_.Backspace();
    return true;
  }
  const KeySpec* typed = KeyTypedAs(key->key());
  if (!typed) return false;
  Click(form_.GetButton(typed->control));
  return true;
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

// A key shown pressed after typing is pressed for real: the real press owns
// the down state from now on, so that its release still clicks.
void Keyboard::KeepPress(QObject* watched) {
  const auto found = release_.find(qobject_cast<QAbstractButton*>(watched));
  if (found != release_.end()) found->second->stop();
}

}  // namespace calc
