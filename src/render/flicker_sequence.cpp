#include "render/flicker_sequence.h"

#include <algorithm>

namespace chromaloom {

void FlickerSequence::SetTiming(FlickerTiming timing) {
  timing_ = timing;
  Restart();
}

void FlickerSequence::Restart() {
  start_.reset();
  refreshes_ = 0;
}

int FlickerSequence::NextRefresh(Time when) {
  if (!start_) {
    start_ = when;
    last_ = when;
  }
  last_ = std::max(last_, when);
  const std::int64_t refresh = refreshes_++;
  if (timing_ == FlickerTiming::EveryRefresh) return static_cast<int>(refresh % 2);
  const std::int64_t frame = (last_ - *start_ + FirstFrameLead) / MachineFrame;
  return static_cast<int>(frame % 2);
}

}  // namespace chromaloom
