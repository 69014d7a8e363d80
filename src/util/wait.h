#pragma once
#include <cstdint>
#include <functional>

#include "platform/clock.h"

namespace ordwell {

// Lets t milliseconds pass by the tick count while the window's messages keep being
// processed; returns at the first reading at which more than t ms have passed.
// A negative t returns at once. Always returns 1.
int Wait(int32_t t, TickSource& clock, const std::function<void()>& processMessages);

}  // namespace ordwell
