#pragma once
// Starting the converter: no shell, the full path, a chosen working directory.
#include <memory>
#include <optional>
#include <string>

namespace ordwell {

class ChildProcess {
 public:
  virtual ~ChildProcess() = default;
  // The exit status once the process has ended (128 + signal when killed by one).
  virtual std::optional<int> Poll() = 0;
  virtual void Kill() = 0;
  // What the process wrote on its error stream so far.
  virtual std::string ErrorOutput() = 0;
};

class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;
  // Throws ProcessError naming the path when the program cannot be started.
  virtual std::unique_ptr<ChildProcess> Start(const std::string& executable,
                                              const std::string& workingDirectory) = 0;
};

ProcessLauncher& PosixProcessLauncher();

}  // namespace ordwell
