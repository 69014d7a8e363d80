#include "util/wait.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace ordwell {
namespace {

// Hands out a scripted series of tick readings; running past the end is a failure
// (the wait did not stop when it should have).
class ScriptedTicks : public TickSource {
 public:
  explicit ScriptedTicks(std::vector<uint32_t> readings) : readings_(std::move(readings)) {}
  uint32_t Ticks() override {
    if (next_ >= readings_.size()) throw std::logic_error("the wait read the clock too often");
    return readings_[next_++];
  }
  void Sleep(uint32_t) override {}
  size_t readingsTaken() const { return next_; }

 private:
  std::vector<uint32_t> readings_;
  size_t next_ = 0;
};

struct WaitCase {
  const char* name;
  int32_t t;
  std::vector<uint32_t> readings;  // the first one is the start value
  int expectedMessageRounds;
};

class WaitTest : public ::testing::TestWithParam<WaitCase> {};

TEST_P(WaitTest, ReturnsAtTheFirstReadingPastT) {
  const WaitCase& c = GetParam();
  ScriptedTicks clock(c.readings);
  int rounds = 0;
  EXPECT_EQ(Wait(c.t, clock, [&] { ++rounds; }), 1);
  EXPECT_EQ(rounds, c.expectedMessageRounds);
  // Every scripted reading is used: the wait neither stopped early nor read on.
  EXPECT_EQ(clock.readingsTaken(), c.readings.size());
}

INSTANTIATE_TEST_SUITE_P(
    Readings, WaitTest,
    ::testing::Values(
        // 30 ms have passed at 1030, which is not yet more than 30.
        WaitCase{"thirty", 30, {1000, 1000, 1010, 1030, 1031}, 3},
        WaitCase{"jump_far_past", 30, {1000, 1005, 9000}, 1},
        // Zero waits at least until the tick has moved on.
        WaitCase{"zero", 0, {500, 500, 500, 500, 501}, 3},
        // The counter wraps during the wait; the elapsed time is taken modulo 2^32.
        WaitCase{"wrap", 30, {0xFFFFFFF0u, 0xFFFFFFFFu, 0x00000005u, 0x0000000Eu, 0x0000000Fu}, 3},
        // The elapsed time is compared as a plain number, not as a signed 32-bit one.
        WaitCase{"largest_t", INT32_MAX, {0, 0x7FFFFFFFu, 0x80000000u}, 1}),
    [](const ::testing::TestParamInfo<WaitCase>& info) { return std::string(info.param.name); });

TEST(WaitNegative, ReturnsAtOnceWithoutProcessingMessages) {
  for (int32_t t : {-1, -5, INT32_MIN}) {
    ScriptedTicks clock({1000, 1000});
    int rounds = 0;
    EXPECT_EQ(Wait(t, clock, [&] { ++rounds; }), 1);
    EXPECT_EQ(rounds, 0) << t;
  }
}

TEST(WaitMessages, HandlersRunInsideTheWaitWithoutShorteningIt) {
  // A close request arrives as a message; the wait still lasts as long as asked.
  ScriptedTicks clock({0, 0, 5, 10, 11});
  bool abortRequested = false;
  Wait(10, clock, [&] { abortRequested = true; });
  EXPECT_TRUE(abortRequested);
  EXPECT_EQ(clock.readingsTaken(), 5u);
}

}  // namespace
}  // namespace ordwell
