#include "platform/automation/turn_wait.h"

#include <poll.h>
#include <sched.h>

namespace corvena::automation {

bool readableWithin(int fd, std::chrono::microseconds awake) {
  const auto end = std::chrono::steady_clock::now() + awake;
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 0) != 0) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    ::sched_yield();
  }
}

}  // namespace corvena::automation
