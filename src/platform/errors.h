#pragma once
// The error kinds that end a handler. Each carries a complete, user-facing message.
#include <stdexcept>
#include <string>
#include <string_view>

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

// A text as a message quotes it: a long one (a whole row of a damaged recording, say,
// a hundred megabytes without a line end) is cut to its first characters and its length.
std::string Shortened(std::string_view text);

// `message` with every mention of a hidden temporary file put in terms of the file
// the user knows: a copy or an output made under another name and then renamed.
std::string ShownAs(std::string message, const std::string& temporary, const std::string& shown);

}  // namespace ordwell
