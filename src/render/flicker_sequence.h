// Which screen each display refresh of the flicker view shows. It is told
// the presentation time of each refresh on a monotonic clock, so a display
// of any rate can be run through it without waiting for one.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace chromaloom {

enum class FlickerTiming {
  EveryRefresh,  // the screens swap on each display refresh
  Machine50Hz,   // each screen stays for the refreshes within its 20 ms frame of a 50 Hz machine
};

class FlickerSequence {
 public:
  using Time = std::chrono::nanoseconds;
  static constexpr Time MachineFrame = std::chrono::milliseconds(20);
  // The machine's first frame starts this long before the first refresh.
  // Refreshes of a 50 or 60 Hz display then never fall on a frame's edge,
  // where a little jitter of the clock would pick either screen.
  static constexpr Time FirstFrameLead = std::chrono::milliseconds(5);

  explicit FlickerSequence(FlickerTiming timing = FlickerTiming::EveryRefresh) : timing_(timing) {}

  FlickerTiming Timing() const { return timing_; }
  // Both start again from screen 0 at the next refresh.
  void SetTiming(FlickerTiming timing);
  void Restart();

  // The screen, 0 or 1, of the refresh presented at `when`. A time before
  // the previous refresh's counts as that one, so a stray value never runs
  // the sequence backwards.
  int NextRefresh(Time when);

 private:
  FlickerTiming timing_;
  std::optional<Time> start_;  // the first refresh's time
  Time last_{};
  std::int64_t refreshes_ = 0;
};

}  // namespace chromaloom
