#pragma once
#include <string>

namespace ordwell {

// The folder of the running executable ("" when the system cannot tell).
std::string ExecutableFolder();

// The platform's executable suffix ("" here, ".exe" on Windows).
inline constexpr const char* kExecutableSuffix = "";

}  // namespace ordwell
