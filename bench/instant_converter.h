#pragma once
// A converter that finishes the moment it is started, with an empty output, and a
// clock that moves only when slept on: the converter run then costs nothing but its
// file work, so a timing of `ordwell convert` with them shows the set alone.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "snirf/converter_run.h"

namespace ordwell::bench {

class InstantClock : public TickSource {
 public:
  uint32_t Ticks() override { return now_; }
  void Sleep(uint32_t milliseconds) override { now_ += milliseconds; }

 private:
  uint32_t now_ = 0;
};

class InstantConverter : public ProcessLauncher {
 public:
  explicit InstantConverter(FileSystem& fs) : fs_(fs) {}

  std::unique_ptr<ChildProcess> Start(const std::string&, const std::string& workingDirectory) override {
    fs_.CreateFile(JoinPath(workingDirectory, kConverterOutput))->Close();
    return std::make_unique<Ended>();
  }

 private:
  class Ended : public ChildProcess {
   public:
    std::optional<int> Poll() override { return 0; }
    void Kill() override {}
    std::string ErrorOutput() override { return {}; }
  };
  FileSystem& fs_;
};

}  // namespace ordwell::bench
