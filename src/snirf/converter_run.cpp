#include "snirf/converter_run.h"

#include <unistd.h>

#include "platform/errors.h"
#include "util/wait.h"

namespace ordwell {
namespace {

std::string WithReason(std::string message, const std::string& errorOutput) {
  std::string reason = errorOutput;
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) reason.pop_back();
  if (!reason.empty()) message += ": " + reason;
  return message;
}

std::string EndedText(int status) {
  return status > 128 ? "was killed by signal " + std::to_string(status - 128)
                      : "exited with status " + std::to_string(status);
}

}  // namespace

std::string SnirfDestination(const std::string& tempDir, const std::string& dataFilePath) {
  std::string name = FileNameOf(dataFilePath);
  size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.resize(dot);
  return JoinPath(tempDir, name + ".snirf");
}

void CopyReplacing(FileSystem& fs, const std::string& from, const std::string& to) {
  // Errors are said in the destination's terms: the hidden temporary file means
  // nothing to a user.
  const std::string folder = FolderOf(to);
  if (!fs.DirectoryExists(folder))
    throw FileError("Cannot copy \"" + from + "\" to \"" + to + "\": there is no folder \"" + folder + "\"");
  if (fs.DirectoryExists(to))
    throw FileError("Cannot copy \"" + from + "\" to \"" + to + "\": a folder of that name is in the way");
  std::string hidden(".");
  hidden += FileNameOf(to);
  hidden += ".part-" + std::to_string(::getpid());
  std::string temporary = JoinPath(FolderOf(to), hidden);
  try {
    try {
      fs.CopyFile(from, temporary);
    } catch (const FileError& e) {
      throw FileError(ShownAs(e.what(), temporary, to));
    }
    fs.Rename(temporary, to);
  } catch (...) {
    fs.DeleteFile(temporary);
    throw;
  }
}

void ConverterRun::Wait(int ms) {
  ordwell::Wait(ms, clock_, [this] { host_.ProcessMessages(); });
}

ConverterEnd ConverterRun::Run(const ConverterPaths& paths) {
  host_.SetStatus("Snirf Conversion Start");
  host_.SetHourglass(true);
  struct CursorBack {
    ConverterRunHost& host;
    ~CursorBack() { host.SetHourglass(false); }
  } cursorBack{host_};

  try {
    return Attempt(paths);
  } catch (...) {
    // A failed run leaves no "Snirf Conversion Start" behind: the error box says what happened.
    host_.SetStatus("");
    throw;
  }
}

ConverterEnd ConverterRun::Attempt(const ConverterPaths& paths) {
  Wait(30);
  // An old output left in place would be copied as if it were new.
  if (!fs_.DeleteFile(paths.output))
    throw FileError("Cannot delete the earlier converter output \"" + paths.output + "\"" +
                    (fs_.DirectoryExists(paths.output) ? ": a folder of that name is in the way" : ""));
  if (!fs_.FileExists(paths.converter))
    throw ProcessError("The converter \"" + paths.converter + "\" is missing");
  std::unique_ptr<ChildProcess> child = launcher_.Start(paths.converter, paths.workingDir);

  return mode_ == ConverterWaitMode::kPollForOutput ? PollForOutput(paths, *child) : WaitForExit(paths, *child);
}

ConverterEnd ConverterRun::PollForOutput(const ConverterPaths& paths, ChildProcess& child) {
  for (int poll = 0; poll < kConverterPolls; ++poll) {
    if (host_.AbortRequested()) {
      child.Kill();
      host_.ClearAfterAbort();
      return ConverterEnd::kAborted;
    }
    Wait(kPollMilliseconds);
    // Asked before the look for the output, so a converter that wrote and ended
    // between the two is not taken for one that ended without output.
    std::optional<int> status = child.Poll();
    if (fs_.FileExists(paths.output)) {
      Wait(kPollMilliseconds);  // the converter renames a finished file; the pause is for other converters
      // One that failed or crashed after its output appeared left no SNIRF file to copy.
      if (std::optional<int> ended = child.Poll(); ended && *ended != 0)
        throw ProcessError(WithReason("The converter " + EndedText(*ended), child.ErrorOutput()));
      CopyOutput(paths);
      return ConverterEnd::kCopied;
    }
    if (status)
      throw ProcessError(WithReason("The converter " + EndedText(*status) + " without writing \"" + paths.output + "\"",
                                    child.ErrorOutput()));
  }
  child.Kill();
  throw ProcessError("The converter gave no output within " + std::to_string(kConverterPolls) + " s");
}

ConverterEnd ConverterRun::WaitForExit(const ConverterPaths& paths, ChildProcess& child) {
  const uint32_t start = clock_.Ticks();
  const uint32_t limit = static_cast<uint32_t>(kConverterPolls) * kPollMilliseconds;
  std::optional<int> status;
  for (;;) {
    if (host_.AbortRequested()) {
      child.Kill();
      host_.ClearAfterAbort();
      return ConverterEnd::kAborted;
    }
    status = child.Poll();
    if (status) break;
    if (clock_.Ticks() - start >= limit) {
      child.Kill();
      throw ProcessError("The converter did not finish within " + std::to_string(kConverterPolls) + " s");
    }
    Wait(10);
  }
  if (*status != 0)
    throw ProcessError(WithReason("The converter " + EndedText(*status), child.ErrorOutput()));
  if (!fs_.FileExists(paths.output))
    throw ProcessError(WithReason("The converter ended without writing \"" + paths.output + "\"", child.ErrorOutput()));
  CopyOutput(paths);
  return ConverterEnd::kCopied;
}

void ConverterRun::CopyOutput(const ConverterPaths& paths) {
  CopyReplacing(fs_, paths.output, paths.destination);
  host_.SetStatus("Snirf Conversion End");
  host_.SetResultPath(paths.destination);
}

}  // namespace ordwell
