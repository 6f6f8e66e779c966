#pragma once

#include <functional>
#include <memory>
#include <stop_token>

class QObject;

namespace common {

// Work done off the user-interface thread, on a few threads kept for it: one
// more starts whenever all are busy, so no job waits behind an unrelated
// one. Every job is handed the one way to ask it to stop; it looks at the
// token where ending early is worth it.
using Job = std::function<void(std::stop_token)>;

// Starts a job that nobody waits for: it must own what it touches. The
// source asks it to stop. With a receiver, `done` then runs on the
// receiver's thread, unless the receiver has gone by then.
std::stop_source Detach(Job job, QObject* receiver = nullptr, std::function<void()> done = {});

// Detached jobs not yet over (what they hold let go of): the program must
// not run its exit-time destructors under them.
int DetachedJobs();

// Jobs one at a time, in the order posted. Destroying the lane asks the
// running job to stop, waits for it and drops the jobs not yet started, so
// its jobs may use what outlives the lane. A job that throws just ends.
class Lane {
 public:
  Lane();
  ~Lane();
  Lane(const Lane&) = delete;
  Lane& operator=(const Lane&) = delete;

  void Post(Job job);
  // A job with no use for the token.
  void Post(std::function<void()> job);

 private:
  struct Queue;
  std::shared_ptr<Queue> queue_;
};

}  // namespace common
