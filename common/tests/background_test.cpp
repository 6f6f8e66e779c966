#include "common/background.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "common/aside.h"

namespace common {
namespace {

// True once the job is asked to stop; false after some seconds without.
bool StopAsked(const std::stop_token& stop) {
  for (int i = 0; i < 5000 && !stop.stop_requested(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return stop.stop_requested();
}

// In order, one at a time; going, the lane stops the running job, waits for
// it and drops the rest.
TEST(LaneTest, RunsInOrderAndGoesAfterTheRunningJob) {
  std::string ran;
  std::atomic<bool> started = false, ended = false;
  {
    Lane lane;
    for (const char job : std::string("abcdefghijklmnop")) lane.Post([&ran, job] { ran += job; });
    lane.Post([&](const std::stop_token& stop) {
      started = true;
      ended = StopAsked(stop);
    });
    lane.Post([&ran] { ran += '!'; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return started.load(); }, 5000));
  }
  EXPECT_TRUE(ended);
  EXPECT_EQ(ran, "abcdefghijklmnop");
}

// A detached job holding its thread holds up no other; its reply reaches a
// receiver still there and no gone one; it counts until it lets go of all.
TEST(DetachTest, RepliesOnlyToAReceiverStillThere) {
  for (const bool receiverGoes : {false, true}) {
    SCOPED_TRACE(receiverGoes ? "receiver goes first" : "receiver stays");
    const int before = DetachedJobs();
    auto receiver = std::make_unique<QObject>();
    auto held = std::make_shared<int>();
    const std::weak_ptr<int> watch = held;
    int replies = 0;
    std::stop_source stop =
        Detach([held = std::move(held)](const std::stop_token& token) { StopAsked(token); },
               receiver.get(), [&replies] { ++replies; });
    Detach([](const std::stop_token&) {});  // not held up by the first
    EXPECT_TRUE(QTest::qWaitFor([&] { return DetachedJobs() == before + 1; }, 5000));
    if (receiverGoes) receiver.reset();
    stop.request_stop();
    EXPECT_TRUE(QTest::qWaitFor([&] { return DetachedJobs() == before; }, 5000));
    EXPECT_TRUE(watch.expired());
    QCoreApplication::processEvents();
    EXPECT_EQ(replies, receiverGoes ? 0 : 1);
  }
}

// Cancelled, RunAside's work is asked to stop.
TEST(RunAsideTest, EscapeStopsTheWork) {
  QWidget owner;
  owner.show();
  QTimer::singleShot(50, &owner, [&owner] { QTest::keyClick(&owner, Qt::Key_Escape); });
  auto asked = std::make_shared<std::atomic<bool>>(false);
  EXPECT_FALSE(RunAside(&owner, "Waiting...",
                        [asked](const std::stop_token& stop) { *asked = StopAsked(stop); }));
  EXPECT_TRUE(QTest::qWaitFor([&] { return asked->load(); }, 10000));
}

}  // namespace
}  // namespace common
