// Hostile recordings through the real `ordwell convert`, after a good conversion: each
// row gives the exact status and messages, which names the file and, where there is
// one, the line; what the set is afterwards; and that the earlier SNIRF copy is intact.
// A recording that converts gives the same set as the clean UTF-8 text it stands for.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/command_line.h"
#include "base_folder.h"
#include "recordings.h"
#include "set_state.h"

namespace ordwell::testing {
namespace {

namespace fs = std::filesystem;

using Bytes = std::function<std::string()>;

std::string WithCrLf(std::vector<std::string> lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

Recording Base() { return FaultRecording(false); }

std::string Utf16(const std::string& ascii, bool bigEndian, bool mark) {
  std::string bytes = mark ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
  for (char c : ascii) {
    bytes += bigEndian ? '\0' : c;
    bytes += bigEndian ? c : '\0';
  }
  return bytes;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  if (size_t at = text.find(from); at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// Bytes 1 to 255 over and over: every control character and invalid UTF-8, with
// line ends among them but no NUL.
std::string Garbage() {
  std::string bytes;
  for (int block = 0; block < 16; ++block)
    for (int b = 1; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

constexpr size_t kHundredMegabytes = size_t{100} << 20;

struct BadInput {
  const char* name;
  const char* file;  // in the data folder
  Bytes bytes;
  Bytes intended;  // the clean text of a file that converts; none for a refused one
  int status;
  std::string err;  // "{file}" is the data file's path
  const char* set;  // see set_state.h; N is the intended text's set
};

void PrintTo(const BadInput& c, std::ostream* os) { *os << c.name; }

SetFiles IntendedSet(const std::string& name, const std::string& text) {
  BaseFolder f;
  ChildResult r = f.Convert({f.Recording(name, text)});
  EXPECT_EQ(r.status, 0) << r.err;
  return ReadSet(f.base());
}

class BadInputs : public ::testing::TestWithParam<BadInput> {};

TEST_P(BadInputs, ClearMessageAndNothingLost) {
  const BadInput& c = GetParam();
  BaseFolder f;
  ASSERT_EQ(f.Convert({f.Recording("good.datx", FirstRecording())}).status, 0);
  const SetFiles earlier = ReadSet(f.base());
  const std::string earlierCopy = ReadBytes(f.InBase("temp/good.snirf"));
  const std::string path = f.Recording(c.file, c.bytes());
  const SetFiles intended = c.intended ? IntendedSet(c.file, c.intended()) : ReadSet(f.root() + "/none");

  ChildResult r = f.Convert({path});

  const std::string snirf = f.InBase("temp/" + fs::path(c.file).stem().string() + ".snirf");
  EXPECT_EQ(r.status, c.status);
  EXPECT_EQ(r.out, c.status == 0 ? snirf + "\n" : "");
  EXPECT_EQ(r.err, Replaced(c.err, "{file}", path));
  EXPECT_EQ(SetState(ReadSet(f.base()), earlier, intended), c.set);
  EXPECT_EQ(ReadBytes(f.InBase("temp/good.snirf")), earlierCopy);
  EXPECT_EQ(fs::exists(snirf), c.status == 0);
}

Recording WithRows(std::vector<std::string> rows) {
  Recording r = Base();
  r.rows = std::move(rows);
  return r;
}

// Row `index` (from 0) with its mark replaced.
std::string MarkedRow(size_t index, const std::string& mark) {
  Recording r = Base();
  r.rows[index] = mark + r.rows[index].substr(r.rows[index].find(','));
  return r.Text();
}

std::string TooShort(const char* kind, int needed, int lines, const char* more = "") {
  return "ordwell: {file}: too few lines: a \"" + std::string(kind) + "\" file has at least " + std::to_string(needed) +
         " lines, this one has " + std::to_string(lines) + more + "\n";
}

constexpr const char* kRefused = "OOOOOO---O";
constexpr const char* kAsIntended = "NNNNNN---N";

const BadInput kBadInputs[] = {
    {"BinaryGarbage", "garbage.datx", Garbage, nullptr, 1, TooShort(".datx", 42, 33), kRefused},
    {"Empty", "empty.datx", [] { return std::string(); }, nullptr, 1, TooShort(".datx", 42, 0), kRefused},
    {"OnlyAHeader", "header.datx", [] { return WithRows({}).Text(); }, nullptr, 1, TooShort(".datx", 42, 41), kRefused},
    {"OnlyAHeaderOfADat", "header.dat", [] { return WithCrLf(std::vector<std::string>(25, "x")); }, nullptr, 1,
     TooShort(".dat", 26, 25), kRefused},
    // A line of a hundred megabytes: the message quotes its start and its length.
    {"HundredMegabyteMarkField", "huge.datx",
     [] { return WithRows({"1" + std::string(kHundredMegabytes - 1, '0')}).Text(); }, nullptr, 1,
     "ordwell: {file}:42: '$1" + std::string(59, '0') + "... (104857600 characters)' is not a valid integer value\n",
     kRefused},
    {"MegabyteSensorType", "type.datx",
     [] {
       Recording r = Base();
       r.sensorType = std::string(1 << 20, 'x');
       return r.Text();
     },
     nullptr, 1,
     "ordwell: {file}: Sensor Type Error: \"" + std::string(60, 'x') + "... (1048576 characters)\" names no sensor type\n",
     kRefused},
    {"MegabyteSampleRow", "wide.datx", [] { return WithRows({NumberedRow("0", 1000, 200000)}).Text(); },
     [] { return WithRows({NumberedRow("0", 1000, 48)}).Text(); }, 0, "", kAsIntended},
    // Values the row does not have are zeros.
    {"TruncatedLastRow", "truncated.datx", [] { return Base().Text() + "1,20,2"; },
     [] { return Base().Text() + "1,20,2\r\n"; }, 0, "", kAsIntended},
    // A blank last line is a row whose mark does not convert.
    {"BlankLastLine", "blank.datx", [] { return Base().Text() + "\r\n"; }, nullptr, 1,
     "ordwell: {file}:342: '$' is not a valid integer value\n", kRefused},
    {"MarkDoesNotConvert", "mark.datx", [] { return MarkedRow(5, "1G"); }, nullptr, 1,
     "ordwell: {file}:47: '$1G' is not a valid integer value\n", kRefused},
    {"MarkOutOfRange", "range.datx", [] { return MarkedRow(5, "100000000"); }, nullptr, 1,
     "ordwell: {file}:47: '$100000000' is not a valid integer value\n", kRefused},
    {"Utf16LittleEndianWithMark", "le.datx", [] { return Utf16(Base().Text(), false, true); },
     [] { return Base().Text(); }, 0, "", kAsIntended},
    {"Utf16BigEndianWithMark", "be.datx", [] { return Utf16(Base().Text(), true, true); }, [] { return Base().Text(); },
     0, "", kAsIntended},
    {"Utf16WithoutMark", "nomark.datx", [] { return Utf16(Base().Text(), false, false); }, nullptr, 1,
     TooShort(".datx", 42, 1, "; a NUL character ends its text (a UTF-16 file needs its byte-order mark)"), kRefused},
    // A NUL would end the text early: the rows after it would be lost without a word.
    {"NulInTheMiddle", "nul.datx",
     [] {
       Recording r = Base();
       r.rows[99].insert(10, 1, '\0');
       return r.Text();
     },
     nullptr, 1,
     "ordwell: {file}:141: a NUL character ends the text in the middle of the file; the lines after it would be "
     "lost\n",
     kRefused},
    // NUL padding after the last line loses nothing.
    {"NulPaddingAtTheEnd", "padded.datx", [] { return Base().Text() + std::string(64, '\0'); },
     [] { return Base().Text(); }, 0, "", kAsIntended},
    {"LoneCarriageReturns", "cr.datx",
     [] {
       std::string text = Base().Text();
       for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 1)) text.erase(at + 1, 1);
       return text;
     },
     [] { return Base().Text(); }, 0, "", kAsIntended},
    {"NumbersOutOfRange", "numbers.datx",
     [] { return WithRows({"0,2147483648,-2147483649,1004,99999999999,2147483647,-2147483648,1008,1009"}).Text(); },
     [] { return WithRows({"0,0,0,1004,0,2147483647,-2147483648,1008,1009"}).Text(); }, 0, "", kAsIntended},
    {"HundredsOfChannelListFields", "channels.datx",
     [] {
       Recording r = Base();
       for (int i = 0; i < 500; ++i) r.channelList += "," + std::to_string(i % 80);
       return r.Text();
     },
     [] { return Base().Text(); }, 0, "", kAsIntended},
};

INSTANTIATE_TEST_SUITE_P(Files, BadInputs, ::testing::ValuesIn(kBadInputs),
                         [](const ::testing::TestParamInfo<BadInput>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace ordwell::testing
