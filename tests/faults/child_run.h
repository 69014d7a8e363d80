#pragma once
// Runs a real program as a child the way a user's shell would, with the faults a
// test needs put on it: a file-size limit (SIGXFSZ ignored, so a write past it fails
// with "File too large"), a working folder that may be gone, no root privileges.
#include <optional>
#include <string>
#include <vector>

namespace ordwell::testing {

struct ChildRun {
  std::vector<std::string> args;  // args[0] is the program's full path
  std::string workingDir;         // the base folder
  std::optional<long> fileSizeLimit;  // bytes per file (the soft RLIMIT_FSIZE)
  bool withoutRoot = false;       // as root: run as "nobody", so permissions count
  bool removeWorkingDir = false;  // the working folder is removed once the child is in it
  std::vector<std::string> env;   // "NAME=value" entries that replace this process's
};

struct ChildResult {
  int status = -1;  // exit status, or 128 + signal
  std::string out;
  std::string err;
};

// Runs to the end. The child gets LC_ALL=C.UTF-8 and the rest of this environment.
ChildResult RunChild(const ChildRun& run);

// The uid the child runs as with withoutRoot (this process's own when not root).
unsigned UnprivilegedUid();

}  // namespace ordwell::testing
