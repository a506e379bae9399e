#include "foundation/RunLoop.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/DisplayLink.h"
#include "foundation/Timer.h"

namespace host {
namespace {

using Times = std::vector<std::int64_t>;  // nanoseconds

class RunLoopTest : public ::testing::Test {
 protected:
  void SetUp() override { loop.reset(); }
  void TearDown() override { loop.reset(); }

  std::int64_t now() const { return std::llround(loop.now() * 1e9); }
  std::function<void(Timer&)> recordFire() {
    return [this](Timer&) { fires.push_back(now()); };
  }
  std::function<void(DisplayLink&)> recordFrame() {
    return [this](DisplayLink& link) { frames.push_back(std::llround(link.timestamp() * 1e9)); };
  }

  RunLoop& loop = RunLoop::main();
  std::vector<std::string> order;
  Times fires, frames;
};

TEST_F(RunLoopTest, RunsWorkInTimeOrderThenInSchedulingOrder) {
  loop.performAfter(0.4, [&] {
    order.push_back("a");
    loop.dispatchAsync([&] { order.push_back("queued by a"); });
    loop.performAfter(0.4, [&] { order.push_back("0.8 by a"); });
    loop.performAfter(0.7, [&] { order.push_back("1.1 by a"); });
  });
  auto timer = loop.scheduledTimer(0.4, false, [&](Timer&) { order.push_back("timer"); });
  loop.performAfter(0.4, [&] { order.push_back("b"); });
  int chain = 0;
  std::function<void()> link = [&] {
    if (++chain < 5) loop.dispatchAsync(link);
  };
  loop.dispatchAsync(link);

  loop.runUntilIdle();  // the whole chain queued for now, without moving the clock
  EXPECT_EQ(chain, 5);
  EXPECT_TRUE(order.empty());
  EXPECT_EQ(now(), 0);
  loop.advance(1);
  EXPECT_EQ(order, (std::vector<std::string>{"a", "timer", "b", "queued by a", "0.8 by a"}));
  EXPECT_EQ(now(), 1'000'000'000);
  EXPECT_EQ(loop.pendingCount(), 1u);
}

TEST_F(RunLoopTest, TimersInvalidatedFromCallbacks) {
  int selfFires = 0;
  auto self = loop.scheduledTimer(1, true, [&](Timer& timer) {
    if (++selfFires == 3) timer.invalidate();
  });
  std::shared_ptr<Timer> victim;
  auto killer = loop.scheduledTimer(1, false, [&](Timer&) { victim->invalidate(); });
  victim = loop.scheduledTimer(1, true, recordFire());
  loop.advance(10);
  EXPECT_EQ(selfFires, 3);
  EXPECT_TRUE(fires.empty());
  EXPECT_FALSE(self->isValid() || killer->isValid() || victim->isValid());
  EXPECT_EQ(loop.pendingCount(), 0u);
}

TEST_F(RunLoopTest, RepeatingTimerKeepsItsPhaseAndFireLeavesTheSchedule) {
  loop.advance(0.05);
  auto timer = loop.scheduledTimer(0.1, true, recordFire());
  timer->fire();
  ASSERT_EQ(fires, Times{50'000'000});
  EXPECT_EQ(timer->fireDate(), 0.15);
  loop.advance(1000);
  ASSERT_EQ(fires.size(), 10'001u);
  for (std::size_t k = 1; k < fires.size(); ++k) {
    ASSERT_EQ(fires[k], 50'000'000 + std::int64_t(k) * 100'000'000) << k;
  }
  EXPECT_EQ(timer->fireDate(), 1000.15);
  EXPECT_EQ(timer->timeInterval(), 0.1);

  auto once = loop.scheduledTimer(2, false, recordFire());
  EXPECT_EQ(once->timeInterval(), 0.0);
  once->fire();
  EXPECT_FALSE(once->isValid());
  once->fire();
  loop.advance(2);
  EXPECT_EQ(fires.size(), 10'001u + 1 + 20);
}

TEST_F(RunLoopTest, MissedFiresAreCoalescedWhenTheMainThreadIsBusy) {
  auto timer = loop.scheduledTimer(1, true, recordFire());
  auto link = loop.displayLink(recordFrame());
  loop.performAfter(1.5, [&] {
    link->addToRunLoop();
    loop.advance(3.2);  // a synchronous wait on the main thread: nothing runs meanwhile
    EXPECT_EQ(now(), 4'700'000'000);
  });
  loop.advance(6.5);
  // One late fire for all that were missed, then back on the grid.
  EXPECT_EQ(fires, (Times{1'000'000'000, 4'700'000'000, 5'000'000'000, 6'000'000'000}));
  // The display link skips to the frame on screen at 4.7 s (frame 282) and goes on from there.
  ASSERT_GE(frames.size(), 2u);
  EXPECT_EQ(frames[0], 4'700'000'000);
  EXPECT_EQ(frames[1], 4'716'666'666);
  EXPECT_EQ(now(), 6'500'000'000);
}

TEST_F(RunLoopTest, DisplayLinkFramesStayOnTheGrid) {
  auto frameTime = [](std::int64_t frame) { return frame * 1'000'000'000 / 60; };
  loop.advance(1);
  auto link = loop.displayLink(recordFrame());
  loop.advance(1);
  EXPECT_TRUE(frames.empty());  // not added yet
  link->addToRunLoop();         // at exactly 2 s, frame 120: the first frame is 121
  loop.advance(600);
  ASSERT_EQ(frames.size(), 600u * 60);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    ASSERT_EQ(frames[i], frameTime(121 + std::int64_t(i))) << i;
  }

  link->setPaused(true);
  EXPECT_EQ(loop.pendingCount(), 0u);
  loop.advance(1.001);
  link->setPaused(false);
  loop.advance(0.02);
  EXPECT_EQ(frames.size(), 600u * 60 + 1);
  EXPECT_EQ(frames.back(), frameTime(603 * 60 + 1));
  link->invalidate();
  loop.advance(1);
  EXPECT_EQ(frames.size(), 600u * 60 + 1);
}

TEST_F(RunLoopTest, CallbacksAreReleasedOnceDone) {
  auto timerHeld = std::make_shared<int>(), oneShotHeld = std::make_shared<int>(),
       linkHeld = std::make_shared<int>(), blockHeld = std::make_shared<int>(),
       pendingHeld = std::make_shared<int>();
  std::weak_ptr<int> timerWeak = timerHeld, oneShotWeak = oneShotHeld, linkWeak = linkHeld,
                     blockWeak = blockHeld, pendingWeak = pendingHeld;
  auto timer = loop.scheduledTimer(1, true, [p = std::move(timerHeld)](Timer&) {});
  loop.scheduledTimer(1, false, [p = std::move(oneShotHeld)](Timer&) {});
  auto link = loop.displayLink([p = std::move(linkHeld)](DisplayLink&) {});
  link->addToRunLoop();
  loop.performAfter(0.5, [p = std::move(blockHeld)] {});
  loop.advance(1);
  EXPECT_TRUE(oneShotWeak.expired());
  EXPECT_TRUE(blockWeak.expired());
  EXPECT_FALSE(timerWeak.expired() || linkWeak.expired());

  // Still referenced from here, but invalid: the callbacks let go of what they hold.
  timer->invalidate();
  link->invalidate();
  EXPECT_TRUE(timerWeak.expired() && linkWeak.expired());

  // A restart drops pending work and invalidates everything.
  auto survivor = loop.scheduledTimer(1, true, [](Timer&) {});
  loop.performAfter(5, [p = std::move(pendingHeld)] {});
  loop.reset();
  EXPECT_TRUE(pendingWeak.expired());
  EXPECT_FALSE(survivor->isValid());
  EXPECT_EQ(now(), 0);
  EXPECT_EQ(loop.pendingCount(), 0u);
}

}  // namespace
}  // namespace host
