// The build without Qt: the tool is its command line only.
#include <iostream>

#include "app/command_line.h"
#include "app/window.h"

namespace ordwell {

int RunWindow(int, char**) {
  std::cerr << "ordwell: this build has no window; use the command line:\n" << UsageText();
  return kExitUsage;
}

}  // namespace ordwell
