#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/text_file.h"
#include "support/fake_file_system.h"
#include "support/temp_dir.h"

namespace ordwell {
namespace {

const std::string kBom = "\xEF\xBB\xBF";

struct WriteCase {
  const char* name;
  std::vector<std::string> lines;
  std::string ansi;
  std::string bytes;
};

class WriteTextFileTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteTextFileTest, WholeFileInTheAnsiSet) {
  const WriteCase& c = GetParam();
  testing::FakeFileSystem fs;
  WriteTextFile(fs, "/base/out.csv", c.lines, Charset(c.ansi));
  EXPECT_EQ(fs.files.at("/base/out.csv"), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, WriteTextFileTest,
    ::testing::Values(
        // UTF-8 files begin with EF BB BF, even with no line at all.
        WriteCase{"utf8", {"a", "b"}, "UTF-8", kBom + "a\r\nb\r\n"},
        WriteCase{"utf8_no_lines", {}, "UTF-8", kBom},
        WriteCase{"utf8_empty_line", {""}, "UTF-8", kBom + "\r\n"},
        WriteCase{"utf8_non_ascii", {"\xC3\xA4"}, "UTF-8", kBom + "\xC3\xA4\r\n"},
        WriteCase{"ascii", {"a", "b"}, "ANSI_X3.4-1968", "a\r\nb\r\n"},
        WriteCase{"ascii_no_lines", {}, "ANSI_X3.4-1968", ""},
        WriteCase{"ascii_non_ascii", {"x\xC3\xA4y", "\xF0\x9F\x98\x80"}, "ANSI_X3.4-1968", "x?y\r\n?\r\n"},
        WriteCase{"latin1", {"\xC3\xA4"}, "ISO-8859-1", "\xE4\r\n"}),
    [](const ::testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

TEST(TextFileWriter, LargeFileAcrossBlocksKeepsEveryLine) {
  // More than one write block, with characters to replace in every line. The
  // character set is a temporary on purpose: the writer must keep its own copy.
  testing::FakeFileSystem fs;
  std::string expected;
  {
    TextFileWriter out(fs, "/base/big.csv", Charset::Ascii());
    for (int i = 0; i < 100000; ++i) {
      out.Append("row \xC3\xA4 ");
      out.buffer() += std::to_string(i);
      out.EndLine();
      expected += "row ? " + std::to_string(i) + "\r\n";
    }
    out.Finish();
  }
  EXPECT_EQ(fs.files.at("/base/big.csv"), expected);
}

TEST(TextFileWriter, RealFileIsEmptiedFirst) {
  testing::TempDir dir;
  const std::string path = dir / "stim.csv";
  testing::WriteBytes(path, std::string(5000, 'x'));
  WriteTextFile(RealFileSystem(), path, {"5.0,71.0,1.0"}, Charset::Utf8());
  EXPECT_EQ(testing::ReadBytes(path), kBom + "5.0,71.0,1.0\r\n");
}

TEST(TextFileWriter, FileThatCannotBeCreatedIsAFileError) {
  testing::FakeFileSystem fs;
  fs.failCreate.insert("/base/data.csv");
  EXPECT_THROW(WriteTextFile(fs, "/base/data.csv", {"1"}, Charset::Utf8()), FileError);
}

TEST(TextFileWriter, WriteFailureIsAFileError) {
  testing::FakeFileSystem fs;
  fs.writeBudget = 3;
  EXPECT_THROW(WriteTextFile(fs, "/base/data.csv", {"1,2,3", "4,5,6"}, Charset::Ascii()), FileError);
}

}  // namespace
}  // namespace ordwell
