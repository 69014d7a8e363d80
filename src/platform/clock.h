#pragma once
#include <cstdint>

namespace ordwell {

// The millisecond tick count and a short sleep; tests put a fake clock in its place.
class TickSource {
 public:
  virtual ~TickSource() = default;
  // A 32-bit millisecond counter that wraps around.
  virtual uint32_t Ticks() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
};

TickSource& SystemTickSource();

}  // namespace ordwell
