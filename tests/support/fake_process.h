#pragma once
// A clock that moves only when slept on, and a converter that does what a test says.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/process.h"

namespace ordwell::testing {

class FakeClock : public TickSource {
 public:
  explicit FakeClock(uint32_t start = 1000) : now(start) {}
  uint32_t Ticks() override { return now; }
  void Sleep(uint32_t ms) override {
    now += ms;
    slept += ms;
  }
  uint32_t now;
  uint64_t slept = 0;
};

// The behaviour of one started converter: called at every Poll with the ticks since
// its start; returns the exit status once it has ended.
using FakeBehaviour = std::function<std::optional<int>(uint32_t elapsedMs)>;

class FakeLauncher : public ProcessLauncher {
 public:
  explicit FakeLauncher(TickSource& clock) : clock_(clock) {}

  struct Started {
    std::string executable;
    std::string workingDirectory;
  };
  std::vector<Started> started;
  FakeBehaviour behaviour = [](uint32_t) { return std::optional<int>(0); };
  std::string errorOutput;
  bool failStart = false;
  int kills = 0;

  std::unique_ptr<ChildProcess> Start(const std::string& executable, const std::string& workingDirectory) override {
    if (failStart) throw ProcessError("Cannot start the converter \"" + executable + "\": Permission denied");
    started.push_back({executable, workingDirectory});
    return std::make_unique<Child>(*this, clock_.Ticks());
  }

 private:
  class Child : public ChildProcess {
   public:
    Child(FakeLauncher& owner, uint32_t start) : owner_(owner), start_(start) {}
    std::optional<int> Poll() override {
      if (!status_) status_ = owner_.behaviour(owner_.clock_.Ticks() - start_);
      return status_;
    }
    void Kill() override {
      if (!status_) {
        ++owner_.kills;
        status_ = 137;
      }
    }
    std::string ErrorOutput() override { return owner_.errorOutput; }

   private:
    FakeLauncher& owner_;
    uint32_t start_;
    std::optional<int> status_;
  };
  TickSource& clock_;
};

}  // namespace ordwell::testing
