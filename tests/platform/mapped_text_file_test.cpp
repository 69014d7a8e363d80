// Reading text files from the real file system: big files are mapped instead of
// copied, and must give exactly the lines that reading and decoding a copy gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/text_file.h"
#include "support/temp_dir.h"

namespace ordwell {
namespace {

using namespace std::string_literals;

std::vector<std::string> LinesOf(const TextLines& lines) {
  return std::vector<std::string>(lines.lines().begin(), lines.lines().end());
}

// Rows like a recording's, `count` of them.
std::string Rows(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += std::to_string(i) + ",12345,6789,0\r\n";
  return text;
}

struct FileCase {
  const char* name;
  std::string bytes;
  Charset ansi;
};

// Both sides of the size at which files start to be mapped (1 MiB).
const std::string kSmall = Rows(100);
const std::string kBig = Rows(80000);

std::vector<FileCase> Cases() {
  return {
      {"small_plain", kSmall, Charset::Utf8()},
      {"big_plain_utf8", kBig, Charset::Utf8()},
      {"big_plain_ascii", kBig, Charset::Ascii()},
      {"big_with_utf8_mark", "\xEF\xBB\xBF"s + kBig, Charset::Ascii()},
      {"big_cut_at_nul", kBig + "tail\0after the end\r\n"s, Charset::Utf8()},
      {"big_invalid_utf8_repaired", kBig + "bad \xFF byte\r\n", Charset::Utf8()},
      {"big_high_bytes_in_ascii", kBig + "caf\xC3\xA9\r\n", Charset::Ascii()},
      {"big_utf16", "\xFF\xFE"s + std::string("a\0\r\0\n\0b\0"s) + std::string(1 << 20, ' '), Charset::Utf8()},
      {"big_other_charset", kBig + "\xE4\r\n", Charset("ISO-8859-1")},
      {"empty", "", Charset::Utf8()},
  };
}

class MappedTextFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(MappedTextFileTest, GivesTheLinesOfTheDecodedCopy) {
  const FileCase& c = GetParam();
  testing::TempDir dir;
  const std::string path = dir / "recording.datx";
  testing::WriteBytes(path, c.bytes);
  const std::vector<std::string> expected = LinesOf(TextLines(DecodeText(c.bytes, c.ansi)));

  TextLines lines = ReadTextFile(RealFileSystem(), path, c.ansi);
  EXPECT_EQ(LinesOf(lines), expected);
}

INSTANTIATE_TEST_SUITE_P(Contents, MappedTextFileTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<FileCase>& info) { return std::string(info.param.name); });

TEST(MappedTextFile, LinesOutliveTheFileAndEveryCopy) {
  testing::TempDir dir;
  const std::string path = dir / "recording.datx";
  testing::WriteBytes(path, kBig);
  TextLines kept;
  {
    TextLines read = ReadTextFile(RealFileSystem(), path, Charset::Utf8());
    kept = read;
  }
  ASSERT_TRUE(RealFileSystem().DeleteFile(path));
  ASSERT_EQ(kept.size(), 80000u);
  EXPECT_EQ(kept[0], "0,12345,6789,0");
  EXPECT_EQ(kept[79999], "79999,12345,6789,0");
}

TEST(MappedTextFile, BytesAreTheFileWhateverItsSize) {
  testing::TempDir dir;
  for (const std::string& bytes : {kSmall, kBig}) {
    testing::WriteBytes(dir / "f", bytes);
    const FileContent content = RealFileSystem().MapFile(dir / "f");
    EXPECT_EQ(content.bytes, bytes);
    EXPECT_EQ(RealFileSystem().ReadFile(dir / "f"), bytes);
  }
}

TEST(MappedTextFile, MissingFileOrFolderIsAFileError) {
  testing::TempDir dir;
  EXPECT_THROW(RealFileSystem().MapFile(dir / "none.datx"), FileError);
  EXPECT_THROW(RealFileSystem().MapFile(dir.path()), FileError);
  EXPECT_THROW(ReadTextFile(RealFileSystem(), dir / "none.datx", Charset::Utf8()), FileError);
}

}  // namespace
}  // namespace ordwell
