#include "platform/errors.h"

namespace ordwell {

std::string Located(const std::string& path, long line, const std::string& message) {
  return path + ":" + std::to_string(line) + ": " + message;
}

std::string Located(const std::string& path, const std::string& message) {
  return path + ": " + message;
}

}  // namespace ordwell
