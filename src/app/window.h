#pragma once

namespace ordwell {

// Opens the window and runs until it closes; the exit status of the tool.
int RunWindow(int argc, char** argv);

}  // namespace ordwell
