// A damaged file can hold a field of a hundred megabytes; the message that quotes it
// keeps its start and says how long it is.
#include <gtest/gtest.h>

#include <functional>

#include "platform/errors.h"
#include "probe/position_files.h"
#include "reader/event_marks.h"

namespace ordwell {
namespace {

TEST(Shortened, KeepsShortTextsAndCutsLongOnesAtACharacter) {
  struct Case {
    std::string text;
    std::string shown;
  } cases[] = {
      {"", ""},
      {std::string(64, 'a'), std::string(64, 'a')},
      {std::string(65, 'a'), std::string(60, 'a') + "... (65 characters)"},
      // Never half a character: "ü" is two bytes, the cut falls before it.
      {std::string(59, 'a') + "\xC3\xBC" + std::string(10, 'b'), std::string(59, 'a') + "... (70 characters)"},
      {std::string(1 << 20, '7'), std::string(60, '7') + "... (1048576 characters)"},
  };
  for (const Case& c : cases) EXPECT_EQ(Shortened(c.text), c.shown) << c.text.size();
}

std::string MessageOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const PlatformError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(Shortened, InTheMessagesThatQuoteAField) {
  const std::string longField = "1" + std::string(99, '0');
  EXPECT_EQ(MessageOf([&] { ParseMarkCode(longField); }),
            "'$1" + std::string(59, '0') + "... (100 characters)' is not a valid integer value");
  EXPECT_EQ(MessageOf([&] { ParseNumberOnLine(longField + "x", ".", "/u/o.csv", 3); }),
            "/u/o.csv:3: '1" + std::string(59, '0') + "... (101 characters)' is not a valid floating point value");
}

}  // namespace
}  // namespace ordwell
