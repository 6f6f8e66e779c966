#include "common/aside.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <exception>
#include <memory>
#include <thread>

#include "common/background.h"
#include "common/dialogs.h"
#include "common/i18n.h"

namespace common {
namespace {

constexpr int kPollMs = 5;
constexpr int kBoxAfterMs = 400;  // what finishes sooner shows no box
// Work done within this needs no event loop: a turn or a crop of a photo
// ends without a round of polling.
constexpr auto kQuickWait = std::chrono::milliseconds(10);

struct Shared {
  std::atomic<bool> done{false};
  std::exception_ptr error;
};

// While the work runs, the owner's window takes no input and no command:
// a stroke drawn or a command started meanwhile would act on a document that
// is about to change, or run twice. Escape cancels; a request to close the
// window is passed on as a question.
class HoldInput : public QObject {
 public:
  HoldInput(QWidget* window, QWidget* box, std::function<void()> cancel,
            std::function<void()> close)
      : window_(window), box_(box), cancel_(std::move(cancel)), close_(std::move(close)) {
    if (window_) qApp->installEventFilter(this);
  }
  ~HoldInput() override {
    if (window_) qApp->removeEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Shortcut:
      case QEvent::ShortcutOverride:
        // A menu's shortcut goes to its action, not to a widget of the
        // window; the box's own (Escape) goes on.
        if (!receiver->isWidgetType()) {
          if (!Within(receiver, window_) || Within(receiver, box_)) return false;
          event->ignore();
          return true;
        }
        break;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Drop:
      case QEvent::Close:
        break;
      default:
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || widget->window() != window_) return false;
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
      cancel_();
    if (event->type() == QEvent::Close && widget == window_) close_();
    event->ignore();
    return true;
  }

 private:
  static bool Within(const QObject* object, const QObject* ancestor) {
    for (; object; object = object->parent())
      if (object == ancestor) return true;
    return false;
  }

  QWidget* window_;
  QWidget* box_;
  std::function<void()> cancel_;
  std::function<void()> close_;
};

int waiting = 0;  // waits in progress, on the user-interface thread

}  // namespace

bool AsideRunning() {
  return DetachedJobs() > 0;
}

bool AsideWaiting() {
  return waiting > 0;
}

bool RunAside(QWidget* owner, const QString& text, std::function<void()> work) {
  return RunAside(owner, text, [work = std::move(work)](const std::stop_token&) { work(); });
}

bool RunAside(QWidget* owner, const QString& text, Job work) {
  auto shared = std::make_shared<Shared>();
  // Detached: a cancelled decode may go on for a while, but nobody waits
  // for it; it holds only what it was given.
  std::stop_source stop = Detach([shared, work = std::move(work)](std::stop_token token) {
    try {
      work(std::move(token));
    } catch (...) {
      shared->error = std::current_exception();
    }
    shared->done = true;
  });

  for (const auto until = std::chrono::steady_clock::now() + kQuickWait;
       !shared->done && std::chrono::steady_clock::now() < until;)
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  if (shared->done) {
    if (shared->error) std::rethrow_exception(shared->error);
    return true;
  }

  QEventLoop loop;
  bool cancelled = false, closeAsked = false, asking = false, closeAfter = false;
  const auto cancel = [&] {
    cancelled = true;
    loop.quit();
  };
  QWidget* window = owner ? owner->window() : nullptr;
  const QString caption = window ? window->windowTitle().remove(QStringLiteral("[*]")) : QString();
  // Not modal: a request to close the window must reach the question below;
  // the hold keeps the window's input meanwhile.
  QProgressDialog box(owner);  // with Qt's own Cancel button, in the user's language
  box.setWindowTitle(caption);
  box.setLabelText(text);
  box.setRange(0, 0);
  box.setWindowModality(Qt::NonModal);
  const HoldInput hold(window, &box, cancel, [&] { closeAsked = true; });
  ++waiting;
  box.setMinimumDuration(kBoxAfterMs);
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (shared->done) loop.quit();
    if (!closeAsked || asking) return;
    asking = true;
    const QString question =
        Tr("common", "This is not finished: %1 Stop it and close the window?").arg(text);
    if (MsgBox(window, question.toStdString(), kYesNo | kQuestion, caption.toStdString()) ==
        kYesAnswer) {
      closeAfter = true;
      cancel();
    }
    closeAsked = asking = false;
  });
  QObject::connect(&box, &QProgressDialog::canceled, &loop, cancel);
  QObject::connect(&box, &QDialog::rejected, &loop, cancel);  // Escape
  box.setValue(0);                                            // starts the clock of the delayed box
  poll.start(kPollMs);
  QApplication::setOverrideCursor(Qt::BusyCursor);
  if (!shared->done) loop.exec();
  QApplication::restoreOverrideCursor();
  --waiting;
  if (closeAfter && window)
    QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
  if (cancelled || !shared->done) {
    stop.request_stop();  // nobody wants what it makes
    return false;
  }
  if (shared->error) std::rethrow_exception(shared->error);
  return true;
}

}  // namespace common
