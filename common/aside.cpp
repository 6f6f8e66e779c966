#include "common/aside.h"

#include <QApplication>
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

}  // namespace

bool RunAside(QWidget* owner, const QString& text, std::function<void()> work) {
  auto shared = std::make_shared<Shared>();
  // Detached: a cancelled decode may go on for a while, but nobody waits
  // for it; it holds only what it was given.
  std::thread([shared, work = std::move(work)] {
    try {
      work();
    } catch (...) {
      shared->error = std::current_exception();
    }
    shared->done = true;
  }).detach();

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
