// ordwell: the window with no arguments, `ordwell convert` on the command line.
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/window.h"

int main(int argc, char** argv) {
  using namespace ordwell;
  std::vector<std::string> args(argv + 1, argv + argc);
  ParsedCommand cmd = ParseCommandLine(args);
  switch (cmd.kind) {
    case CommandKind::kWindow:
      return RunWindow(argc, argv);
    case CommandKind::kHelp:
      std::cout << UsageText();
      return 0;
    case CommandKind::kVersion:
      std::cout << "ordwell " << ORDWELL_VERSION << "\n";
      return 0;
    case CommandKind::kUsageError:
      std::cerr << "ordwell: " << cmd.error << "\n" << UsageText();
      return kExitUsage;
    case CommandKind::kConvert:
      return RunConvert(cmd.options, MachineServices(), std::cout, std::cerr);
  }
  return kExitUsage;
}
