#pragma once
// A driven screen and its caller take turns on one channel, and the other's
// turn is usually over within a fraction of a millisecond. Waiting for it
// awake, for that moment, spares the wake-up of a sleeping process, which on a
// virtual machine costs more than the wait itself; a longer turn is waited for
// asleep as before.

#include <chrono>

namespace corvena::automation {

constexpr std::chrono::microseconds kAwakeTurn{500};

// True as soon as `fd` has something to read (or has ended), false once
// `awake` has passed first. Other processes ready to run go first meanwhile.
bool readableWithin(int fd, std::chrono::microseconds awake = kAwakeTurn);

}  // namespace corvena::automation
