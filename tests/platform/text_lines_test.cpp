#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/text_file.h"
#include "support/fake_file_system.h"

namespace ordwell {
namespace {

using namespace std::string_literals;

std::vector<std::string> LinesOf(const TextLines& lines) {
  return std::vector<std::string>(lines.lines().begin(), lines.lines().end());
}

struct SplitCase {
  const char* name;
  std::string text;
  std::vector<std::string> lines;
};

class TextLinesTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(TextLinesTest, SplitsAtEveryKindOfLineEnd) { EXPECT_EQ(LinesOf(TextLines(GetParam().text)), GetParam().lines); }

INSTANTIATE_TEST_SUITE_P(
    LineEnds, TextLinesTest,
    ::testing::Values(SplitCase{"empty", "", {}}, SplitCase{"no_line_end", "a", {"a"}},
                      SplitCase{"crlf", "a\r\nb\r\n", {"a", "b"}}, SplitCase{"lone_cr", "a\rb\rc", {"a", "b", "c"}},
                      SplitCase{"lone_lf", "a\nb\n", {"a", "b"}},
                      SplitCase{"mixed", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
                      // Empty lines count; only the very last line end adds nothing.
                      SplitCase{"empty_line_between", "a\r\n\r\nb", {"a", "", "b"}},
                      SplitCase{"only_lf", "\n", {""}}, SplitCase{"two_crlf", "\r\n\r\n", {"", ""}},
                      SplitCase{"cr_then_crlf", "a\r\r\nb", {"a", "", "b"}},
                      SplitCase{"lf_then_cr", "a\n\rb", {"a", "", "b"}},
                      SplitCase{"trailing_blank_kept", "a \r\n", {"a "}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(TextLinesLoneCr, ManyLinesWithoutAnyLf) {
  // A file with old-style line ends only: every line found, none merged.
  std::string text;
  const int count = 50000;
  for (int i = 0; i < count; ++i) text += std::to_string(i) + ",1,2\r";
  TextLines lines(text);
  ASSERT_EQ(lines.size(), static_cast<size_t>(count));
  EXPECT_EQ(lines[0], "0,1,2");
  EXPECT_EQ(lines[count - 1], std::to_string(count - 1) + ",1,2");
}

TEST(TextLinesLoneCr, FollowedByLfLines) {
  EXPECT_EQ(LinesOf(TextLines("a\rb\rc\nd\ne")), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
}

TEST(TextLinesCopy, LinesStayValidAfterTheOriginalIsGone) {
  TextLines copy;
  {
    TextLines original(std::string("first\r\nsecond"));
    copy = original;
  }
  EXPECT_EQ(LinesOf(copy), (std::vector<std::string>{"first", "second"}));
}

TEST(ReadTextFile, DecodesThenSplits) {
  testing::FakeFileSystem fs;
  fs.files["/base/rec.datx"] = "\xFF\xFE" "a\0\r\0\n\0\xE4\0\n\0"s;
  TextLines lines = ReadTextFile(fs, "/base/rec.datx", Charset::Ascii());
  EXPECT_EQ(LinesOf(lines), (std::vector<std::string>{"a", "\xC3\xA4"}));
}

TEST(ReadTextFile, NulEndsTheLines) {
  testing::FakeFileSystem fs;
  fs.files["/base/rec.dat"] = "one\r\ntwo\0\r\nthree\r\n"s;
  EXPECT_EQ(LinesOf(ReadTextFile(fs, "/base/rec.dat", Charset::Utf8())), (std::vector<std::string>{"one", "two"}));
}

TEST(ReadTextFile, MissingFileIsAFileError) {
  testing::FakeFileSystem fs;
  EXPECT_THROW(ReadTextFile(fs, "/base/none.datx", Charset::Utf8()), FileError);
}

}  // namespace
}  // namespace ordwell
