#pragma once
// The error kinds that end a handler. Each carries a complete, user-facing message.
#include <stdexcept>
#include <string>

namespace ordwell {

struct PlatformError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A file or folder that cannot be opened, created, written, renamed or deleted.
struct FileError : PlatformError {
  using PlatformError::PlatformError;
};

// Text that is not a number of the expected form.
struct ConversionError : PlatformError {
  using PlatformError::PlatformError;
};

// A line that a file format requires and the file does not have.
struct ListIndexError : PlatformError {
  using PlatformError::PlatformError;
};

// Floating-point division by zero, overflow or an invalid operation.
struct MathError : PlatformError {
  using PlatformError::PlatformError;
};

// A process that cannot be started or did not deliver.
struct ProcessError : PlatformError {
  using PlatformError::PlatformError;
};

// "path:line: message", the form every input error takes (line counted from 1).
std::string Located(const std::string& path, long line, const std::string& message);
std::string Located(const std::string& path, const std::string& message);

}  // namespace ordwell
