#pragma once
// `ordwell convert`: the read command of the window, once per file, without a window.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/form1.h"

namespace ordwell {

// Exit statuses.
inline constexpr int kExitConverted = 0;     // every file converted
inline constexpr int kExitSomeFailed = 1;    // at least one file was not converted
inline constexpr int kExitUsage = 2;         // the command line itself is wrong

struct ConvertOptions {
  std::optional<std::string> origin;  // --user ORIGIN OTHERS
  std::optional<std::string> others;
  std::optional<std::string> outputDir;  // -o DIR
  std::vector<std::string> files;
};

enum class CommandKind { kWindow, kConvert, kHelp, kVersion, kUsageError };

struct ParsedCommand {
  CommandKind kind = CommandKind::kWindow;
  ConvertOptions options;
  std::string error;  // for kUsageError
};

ParsedCommand ParseCommandLine(const std::vector<std::string>& args);  // args without argv[0]

const char* UsageText();

// Converts every file in order with one TForm1, so run-wide state carries over as in
// one session of the window. Returns the exit status.
int RunConvert(const ConvertOptions& options, FormServices services, std::ostream& out, std::ostream& err);

// The real machine's services.
FormServices MachineServices();

}  // namespace ordwell
