#include "platform/errors.h"

namespace ordwell {

std::string Located(const std::string& path, long line, const std::string& message) {
  return path + ":" + std::to_string(line) + ": " + message;
}

std::string Located(const std::string& path, const std::string& message) {
  return path + ": " + message;
}

namespace {
constexpr size_t kShownBytes = 60;
bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

std::string Shortened(std::string_view text) {
  if (text.size() <= kShownBytes + 4) return std::string(text);
  size_t cut = kShownBytes;
  while (cut > 0 && IsContinuationByte(text[cut])) --cut;  // never half a character
  size_t characters = 0;
  for (char c : text) characters += IsContinuationByte(c) ? 0 : 1;
  return std::string(text.substr(0, cut)) + "... (" + std::to_string(characters) + " characters)";
}

std::string ShownAs(std::string message, const std::string& temporary, const std::string& shown) {
  if (temporary.empty()) return message;
  for (size_t at = message.find(temporary); at != std::string::npos; at = message.find(temporary, at + shown.size()))
    message.replace(at, temporary.size(), shown);
  return message;
}

}  // namespace ordwell
