#include "render/flicker_sequence.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace chromaloom {
namespace {

using Time = FlickerSequence::Time;

// Refresh k of a display running at `hertz`, starting at `start`, moved by
// jitter[k % size] nanoseconds.
Time RefreshTime(std::int64_t k, int hertz, Time start, const std::vector<std::int64_t>& jitter = {}) {
  const std::int64_t ns = k * 1'000'000'000 / hertz;
  const std::int64_t moved = jitter.empty() ? 0 : jitter[static_cast<std::size_t>(k) % jitter.size()];
  return start + Time(ns + moved);
}

// The screens of `count` refreshes as a string of '0' and '1'.
std::string ScreensOf(FlickerSequence& sequence, int hertz, int count, Time start = {},
                      const std::vector<std::int64_t>& jitter = {}) {
  std::string shown;
  for (int k = 0; k < count; ++k)
    shown += static_cast<char>('0' + sequence.NextRefresh(RefreshTime(k, hertz, start, jitter)));
  return shown;
}

TEST(FlickerSequence, GivesTheScreensEachTimingPromises) {
  constexpr std::int64_t Ms = 1'000'000;
  const struct {
    const char* Name;
    FlickerTiming Timing;
    int Hertz;
    std::vector<std::int64_t> Jitter;
    const char* Screens;
  } cases[] = {
      {"every refresh, 60 Hz", FlickerTiming::EveryRefresh, 60, {}, "010101010101"},
      {"every refresh, 50 Hz", FlickerTiming::EveryRefresh, 50, {}, "010101010101"},
      {"every refresh, uneven refreshes", FlickerTiming::EveryRefresh, 60, {0, 7 * Ms, -3 * Ms}, "010101010101"},
      // A 50 Hz display shows each machine frame once.
      {"50 Hz on 50 Hz", FlickerTiming::Machine50Hz, 50, {}, "010101010101"},
      {"50 Hz on 50 Hz, 4 ms jitter", FlickerTiming::Machine50Hz, 50, {0, 4 * Ms, -4 * Ms, 3 * Ms}, "010101010101"},
      // Six refreshes take five frames: one frame in five is shown twice.
      {"50 Hz on 60 Hz", FlickerTiming::Machine50Hz, 60, {}, "011010100101"},
      {"50 Hz on 60 Hz, 1 ms jitter", FlickerTiming::Machine50Hz, 60, {0, Ms, -Ms, Ms / 2, -Ms / 2}, "011010100101"},
      {"50 Hz on 100 Hz", FlickerTiming::Machine50Hz, 100, {}, "001100110011"},
      // Ten frames pass in six refreshes: most frames are never shown.
      {"50 Hz on 30 Hz", FlickerTiming::Machine50Hz, 30, {}, "011100011100"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    for (const Time start : {Time{0}, Time{123'456'789'012'345}}) {
      FlickerSequence sequence(c.Timing);
      EXPECT_EQ(ScreensOf(sequence, c.Hertz, 12, start, c.Jitter), c.Screens);
    }
  }
}

// A minute at 60 Hz: the screens never run longer than one repeated frame,
// a repeat comes every sixth refresh, and no drift creeps in.
TEST(FlickerSequence, FiftyHertzOnSixtyHertzStaysEvenForAMinute) {
  FlickerSequence sequence(FlickerTiming::Machine50Hz);
  const std::string shown = ScreensOf(sequence, 60, 3600);
  int repeats = 0, shownScreen0 = 0;
  for (std::size_t k = 0; k < shown.size(); ++k) {
    if (shown[k] == '0') ++shownScreen0;
    if (k >= 1 && shown[k] == shown[k - 1]) {
      ++repeats;
      ASSERT_TRUE(k < 2 || shown[k - 2] != shown[k]) << "three refreshes of one screen at " << k;
    }
  }
  EXPECT_EQ(repeats, 600);
  EXPECT_EQ(shownScreen0, 1800);
  EXPECT_EQ(shown.substr(3588), "011010100101");  // the same as the first second's start
}

TEST(FlickerSequence, ChangingTheTimingStartsAgainFromScreen0) {
  FlickerSequence sequence(FlickerTiming::EveryRefresh);
  EXPECT_EQ(ScreensOf(sequence, 60, 3), "010");
  sequence.SetTiming(FlickerTiming::Machine50Hz);
  EXPECT_EQ(sequence.Timing(), FlickerTiming::Machine50Hz);
  // Times go on from where they were; the 60 Hz pattern starts afresh.
  EXPECT_EQ(ScreensOf(sequence, 60, 6, Time{50'000'000}), "011010");
  sequence.SetTiming(FlickerTiming::EveryRefresh);
  EXPECT_EQ(ScreensOf(sequence, 60, 3, Time{200'000'000}), "010");
  sequence.Restart();
  EXPECT_EQ(ScreensOf(sequence, 60, 2, Time{300'000'000}), "01");
}

TEST(FlickerSequence, ATimeBeforeThePreviousRefreshCountsAsThatRefresh) {
  FlickerSequence sequence(FlickerTiming::Machine50Hz);
  EXPECT_EQ(sequence.NextRefresh(Time{1'000'000'000}), 0);
  EXPECT_EQ(sequence.NextRefresh(Time{1'030'000'000}), 1);
  // 10 ms after the start would be screen 0 again; the sequence stays put.
  EXPECT_EQ(sequence.NextRefresh(Time{1'010'000'000}), 1);
  EXPECT_EQ(sequence.NextRefresh(Time{0}), 1);
  EXPECT_EQ(sequence.NextRefresh(Time{1'040'000'000}), 0);
}

}  // namespace
}  // namespace chromaloom
