#pragma once
// Starting the converter on the intermediate set, waiting for its SNIRF output and
// copying that into the temp folder under the data file's name.
#include <string>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/process.h"

namespace ordwell {

inline constexpr const char* kConverterOutput = "tavik_data_3d.snirf";
inline constexpr int kConverterPolls = 100;
inline constexpr int kPollMilliseconds = 1000;

enum class ConverterWaitMode {
  kPollForOutput,  // the window: look for the output once a second
  kWaitForExit,    // the command line: wait for the process to end, check its status
};

// What the run needs of the window it reports to.
class ConverterRunHost {
 public:
  virtual ~ConverterRunHost() = default;
  virtual void SetStatus(const std::string& text) = 0;       // P_MSG
  virtual void SetResultPath(const std::string& text) = 0;   // P_SNIRF
  virtual void ClearAfterAbort() = 0;                        // P_MSG, P_FILE, P_SNIRF
  virtual void SetHourglass(bool on) = 0;
  virtual void ProcessMessages() = 0;
  virtual bool AbortRequested() = 0;
};

struct ConverterPaths {
  std::string converter;    // the program
  std::string workingDir;   // BaseDir: the set and the output are there
  std::string output;       // BaseDir/tavik_data_3d.snirf
  std::string destination;  // BaseDir/temp/<data file name>.snirf
};

// The destination for a data file: its name with the last extension replaced by
// ".snirf", in tempDir. Only the name is used, so it cannot leave tempDir.
std::string SnirfDestination(const std::string& tempDir, const std::string& dataFilePath);

enum class ConverterEnd { kCopied, kAborted };

// Runs the converter once. Throws PlatformError for every failure: old output that
// cannot be deleted, a converter that cannot be started, one that ends without
// output or with an error, no output in time, a copy that fails.
class ConverterRun {
 public:
  ConverterRun(FileSystem& fs, ProcessLauncher& launcher, TickSource& clock, ConverterRunHost& host,
               ConverterWaitMode mode)
      : fs_(fs), launcher_(launcher), clock_(clock), host_(host), mode_(mode) {}

  ConverterEnd Run(const ConverterPaths& paths);

 private:
  ConverterEnd Attempt(const ConverterPaths& paths);
  void Wait(int ms);
  // Copies through a temporary file and a rename: never a partial .snirf.
  void CopyOutput(const ConverterPaths& paths);
  ConverterEnd PollForOutput(const ConverterPaths& paths, class ChildProcess& child);
  ConverterEnd WaitForExit(const ConverterPaths& paths, class ChildProcess& child);

  FileSystem& fs_;
  ProcessLauncher& launcher_;
  TickSource& clock_;
  ConverterRunHost& host_;
  ConverterWaitMode mode_;
};

// Copies `from` to `to` through a temporary file beside `to`; an earlier `to` stays
// intact when the copy fails.
void CopyReplacing(FileSystem& fs, const std::string& from, const std::string& to);

}  // namespace ordwell
