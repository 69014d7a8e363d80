#include "util/wait.h"

namespace ordwell {

int Wait(int32_t t, TickSource& clock, const std::function<void()>& processMessages) {
  const uint32_t start = clock.Ticks();
  for (;;) {
    const uint32_t elapsed = clock.Ticks() - start;  // modulo 2^32: survives the wrap
    if (t < 0 || static_cast<int64_t>(elapsed) > static_cast<int64_t>(t)) return 1;
    processMessages();
    clock.Sleep(1);  // a short sleep instead of spinning a core
  }
}

}  // namespace ordwell
