#pragma once
// Phases for the periodic work of drivers made together. Devices connected at once (or one a
// second, a whole number of intervals apart) would otherwise ask for, receive and decode their
// pictures in the same instant every interval: a burst that every other picture, full
// control's too, waits behind on the network loop and the GUI thread.
#include <cstdint>

namespace zor {

// A fraction of an interval in [0, 1): successive calls step by the golden section, so however
// many are taken they fill the interval evenly. Any thread.
double NextPhaseFraction();

// `fraction` of `interval_ns`, in whole nanoseconds.
inline int64_t PhaseNs(double fraction, int64_t interval_ns) {
  return static_cast<int64_t>(fraction * static_cast<double>(interval_ns));
}

}  // namespace zor
