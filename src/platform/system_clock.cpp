#include <chrono>
#include <thread>

#include "platform/clock.h"

namespace ordwell {
namespace {

class SteadyTickSource : public TickSource {
 public:
  uint32_t Ticks() override {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<uint32_t>(ms.count());
  }
  void Sleep(uint32_t milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
};

}  // namespace

TickSource& SystemTickSource() {
  static SteadyTickSource instance;
  return instance;
}

}  // namespace ordwell
