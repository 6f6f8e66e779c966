#include "common/aside.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <exception>
#include <memory>
#include <thread>

namespace common {
namespace {

constexpr int kPollMs = 15;
constexpr int kBoxAfterMs = 400;  // what finishes sooner shows no box

struct Shared {
  std::atomic<bool> done{false};
  std::exception_ptr error;
};

std::atomic<int> running{0};

// Until the box appears (it is modal), the owner's window takes no input: a
// stroke drawn or a command started meanwhile would be lost or run twice.
class HoldInput : public QObject {
 public:
  explicit HoldInput(QWidget* owner) : window_(owner ? owner->window() : nullptr) {
    if (window_) qApp->installEventFilter(this);
  }
  ~HoldInput() override {
    if (window_) qApp->removeEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::Drop:
      case QEvent::Close:
        break;
      default:
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || widget->window() != window_) return false;
    event->ignore();
    return true;
  }

 private:
  QWidget* window_;
};

}  // namespace

bool AsideRunning() {
  return running > 0;
}

bool RunAside(QWidget* owner, const QString& text, std::function<void()> work) {
  auto shared = std::make_shared<Shared>();
  // Detached: a cancelled decode may go on for a while, but nobody waits
  // for it; it holds only what it was given.
  ++running;
  std::thread([shared, work = std::move(work)] {
    try {
      work();
    } catch (...) {
      shared->error = std::current_exception();
    }
    shared->done = true;
    --running;
  }).detach();

  const HoldInput hold(owner);
  QProgressDialog box(owner);  // with Qt's own Cancel button, in the user's language
  box.setLabelText(text);
  box.setRange(0, 0);
  box.setWindowModality(Qt::WindowModal);
  box.setMinimumDuration(kBoxAfterMs);
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (shared->done) loop.quit();
  });
  QObject::connect(&box, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
  QObject::connect(&box, &QDialog::rejected, &loop, &QEventLoop::quit);  // Escape
  box.setValue(0);  // starts the clock of the delayed box
  poll.start(kPollMs);
  QApplication::setOverrideCursor(Qt::BusyCursor);
  if (!shared->done) loop.exec();
  QApplication::restoreOverrideCursor();
  if (!shared->done) return false;
  if (shared->error) std::rethrow_exception(shared->error);
  return true;
}

}  // namespace common
