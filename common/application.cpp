#include "common/application.h"

#include <QKeyEvent>

#include "common/form.h"

namespace common {

// Here, not in an event filter: a filter would hear a key again at each
// parent it is handed on to.
bool Application::notify(QObject* receiver, QEvent* event) {
  if (event->type() == QEvent::KeyPress && receiver->isWidgetType()) {
    if (auto* form = dynamic_cast<Form*>(static_cast<QWidget*>(receiver)->window());
        form && form->TakeKey(*static_cast<QKeyEvent*>(event)))
      return true;
  }
  return QApplication::notify(receiver, event);
}

}  // namespace common
