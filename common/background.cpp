#include "common/background.h"

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

namespace common {
namespace {

// The threads are never ended nor destroyed: a detached job may still run
// as the program exits, and must find them as they were.
class Threads {
 public:
  static Threads& Get() {
    static auto* const threads = new Threads;
    return *threads;
  }

  // Runs the task on a free thread, or on a new one when none is free.
  void Run(std::function<void()> task) {
    const std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
    if (tasks_.size() > free_) {
      std::thread([this] { Loop(); }).detach();
      ++free_;
    }
    wake_.notify_one();
  }

 private:
  void Loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
      wake_.wait(lock, [this] { return !tasks_.empty(); });
      std::function<void()> task = std::move(tasks_.front());
      tasks_.pop_front();
      --free_;
      lock.unlock();
      task();
      task = nullptr;  // what it holds goes outside the lock
      lock.lock();
      ++free_;
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> tasks_;
  size_t free_ = 0;  // threads not running a task: at least as many as tasks wait
};

std::atomic<int> detached{0};

// Where a detached job's `done` goes; the receiver's going clears it.
struct Reply {
  std::mutex mutex;
  QObject* receiver = nullptr;
  std::function<void()> done;
  QMetaObject::Connection gone;
};

}  // namespace

std::stop_source Detach(Job job, QObject* receiver, std::function<void()> done) {
  std::stop_source stop;
  std::shared_ptr<Reply> reply;
  if (receiver && done) {
    reply = std::make_shared<Reply>();
    reply->receiver = receiver;
    reply->done = std::move(done);
    reply->gone = QObject::connect(receiver, &QObject::destroyed, [weak = std::weak_ptr(reply)] {
      if (const auto reply = weak.lock()) {
        const std::lock_guard lock(reply->mutex);
        reply->receiver = nullptr;
      }
    });
  }
  ++detached;
  Threads::Get().Run(
      [job = std::move(job), token = stop.get_token(), reply = std::move(reply)]() mutable {
        try {
          job(token);
        } catch (...) {
          // Nobody waits to hear it: a job reports its own failures.
        }
        if (reply) {
          // The receiver's going waits for the lock; a reply posted before
          // it goes is dropped with it.
          const std::lock_guard lock(reply->mutex);
          if (reply->receiver)
            QMetaObject::invokeMethod(
                reply->receiver,
                [reply] {
                  QObject::disconnect(reply->gone);
                  reply->done();
                },
                Qt::QueuedConnection);
        }
        // All it held goes before it counts as over.
        job = nullptr;
        token = {};
        reply.reset();
        --detached;
      });
  return stop;
}

int DetachedJobs() {
  return detached;
}

struct Lane::Queue {
  std::mutex mutex;
  std::condition_variable idle;
  std::deque<Job> jobs;
  std::stop_source stop;
  bool draining = false;  // a thread runs the jobs

  void Drain() {
    std::unique_lock lock(mutex);
    while (!jobs.empty()) {
      Job job = std::move(jobs.front());
      jobs.pop_front();
      const std::stop_token token = stop.get_token();
      lock.unlock();
      try {
        job(token);
      } catch (...) {
        // A job that fails leaves its result unset; its owner copes.
      }
      job = nullptr;  // what it holds goes while the lane still waits
      lock.lock();
    }
    draining = false;
    idle.notify_all();
  }
};

Lane::Lane() : queue_(std::make_shared<Queue>()) {}

Lane::~Lane() {
  std::unique_lock lock(queue_->mutex);
  queue_->jobs.clear();
  queue_->stop.request_stop();
  queue_->idle.wait(lock, [this] { return !queue_->draining; });
}

void Lane::Post(Job job) {
  const std::lock_guard lock(queue_->mutex);
  queue_->jobs.push_back(std::move(job));
  if (std::exchange(queue_->draining, true)) return;
  Threads::Get().Run([queue = queue_] { queue->Drain(); });
}

void Lane::Post(std::function<void()> job) {
  Post([job = std::move(job)](const std::stop_token&) { job(); });
}

}  // namespace common
