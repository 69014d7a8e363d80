// StreamDataRows on data.csv alone: which line forms are values, which are refused
// with what message, and where the rows land.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "converter/intermediate_set.h"
#include "probe/caught_error.h"
#include "support/temp_dir.h"

namespace brenlow {
namespace {

using ordwell::testing::CatchError;
using ordwell::testing::CaughtError;
using ordwell::testing::TempDir;
using ordwell::testing::WriteBytes;

struct Block {
  size_t first, count;
  bool operator==(const Block&) const = default;
};

class CollectingSink : public DataRowSink {
 public:
  void Rows(size_t firstRow, size_t rowCount, const double* rowValues) override {
    blocks.push_back({firstRow, rowCount});
    EXPECT_EQ(firstRow * columns, values.size()) << "blocks out of order";
    values.insert(values.end(), rowValues, rowValues + rowCount * columns);
  }
  size_t columns = 0;
  std::vector<Block> blocks;
  std::vector<double> values;
};

// A set of `channels` entries and `rows` times whose data.csv holds `text`.
IntermediateSet SetWithData(const TempDir& dir, size_t channels, size_t rows, const std::string& text) {
  IntermediateSet set;
  set.entries.resize(channels);
  set.time.assign(rows, 0.0);
  set.dataPath = dir / "data.csv";
  WriteBytes(set.dataPath, text);
  return set;
}

std::vector<double> Stream(const IntermediateSet& set, CollectingSink& sink) {
  sink.columns = set.entries.size();
  StreamDataRows(set, sink);
  return sink.values;
}

TEST(StreamDataRows, AcceptedLineForms) {
  struct Case {
    const char* what;
    std::string text;
  };
  const std::vector<double> want = {1, -2, 3, 1000, 0.5, 0};
  const Case kCases[] = {
      {"CR LF", "1,-2,3\r\n1000,0.5,0\r\n"},
      {"LF only", "1,-2,3\n1000,0.5,0\n"},
      {"lone CR", "1,-2,3\r1000,0.5,0\r"},
      {"no line end after the last line", "1,-2,3\r\n1000,0.5,0"},
      {"a trailing comma on every line", "1,-2,3,\r\n1000,0.5,0,\r\n"},
      {"a trailing comma on one line", "1,-2,3\r\n1000,0.5,0,\r\n"},
      {"the UTF-8 mark", "\xEF\xBB\xBF" "1,-2,3\r\n1000,0.5,0\r\n"},
      {"the UTF-8 mark and a trailing comma", "\xEF\xBB\xBF" "1,-2,3,\n1000,0.5,0,\n"},
      {"exponents and leading zeros", "1e0,-2.0,003\r\n1e3,5e-1,-0\r\n"},
  };
  for (const Case& c : kCases) {
    TempDir dir;
    CollectingSink sink;
    EXPECT_EQ(Stream(SetWithData(dir, 3, 2, c.text), sink), want) << c.what;
    EXPECT_EQ(sink.blocks, (std::vector<Block>{{0, 2}})) << c.what;
  }
}

// Each line is the second of three, between two good ones; "{path}" is data.csv.
TEST(StreamDataRows, RefusedLines) {
  struct Case {
    std::string line;
    std::string message;
  };
  const std::string few = "expected 3 values (one per measurement-list entry), found ";
  const Case kCases[] = {
      {"1,2", few + "2"},
      {"1,2,3,4", few + "4"},
      {"1,2,3,4,5,6,7,8,9,10", few + "10"},
      {"", few + "0"},
      {",", few + "0"},
      {"1,2,3,,", few + "4"},  // one trailing comma only
      {"1,,3", "value 2 '' is not a number"},
      {",2,3", "value 1 '' is not a number"},
      {"1,2, 3", "value 3 ' 3' is not a number"},
      {"1 ,2,3", "value 1 '1 ' is not a number"},
      {"+5,2,3", "value 1 '+5' is not a number"},
      {"1,nan,3", "value 2 'nan' is not a number"},
      {"1,2,inf", "value 3 'inf' is not a number"},
      {"1,2,-inf", "value 3 '-inf' is not a number"},
      {"1,1e999,3", "value 2 '1e999' is not a number"},
      {"1,0x10,3", "value 2 '0x10' is not a number"},
      {"1,2,3;4", "value 3 '3;4' is not a number"},
      {"1,2.5.1,3", "value 2 '2.5.1' is not a number"},
  };
  for (const Case& c : kCases) {
    TempDir dir;
    CollectingSink sink;
    IntermediateSet set = SetWithData(dir, 3, 3, "1,2,3\r\n" + c.line + "\r\n4,5,6\r\n");
    EXPECT_EQ(CatchError([&] { Stream(set, sink); }), (CaughtError{"conversion", set.dataPath + ":2: " + c.message}))
        << c.line;
  }
}

TEST(StreamDataRows, LineCountMustEqualTheTimes) {
  TempDir dir;
  CollectingSink sink;
  IntermediateSet more = SetWithData(dir, 1, 2, "1\r\n2\r\n3\r\n");
  EXPECT_EQ(CatchError([&] { Stream(more, sink); }),
            (CaughtError{"conversion", more.dataPath + ":3: more data lines than the 2 times of tmlst.csv"}));
  IntermediateSet fewer = SetWithData(dir, 1, 4, "1\r\n2\r\n3\r\n");
  EXPECT_EQ(CatchError([&] { Stream(fewer, sink); }),
            (CaughtError{"conversion", fewer.dataPath + ": has 3 lines, but tmlst.csv has 4 times"}));
  // An empty line at the end is a line like any other.
  IntermediateSet emptyLast = SetWithData(dir, 1, 3, "1\r\n2\r\n3\r\n\r\n");
  EXPECT_EQ(CatchError([&] { Stream(emptyLast, sink); }),
            (CaughtError{"conversion", emptyLast.dataPath + ":4: more data lines than the 3 times of tmlst.csv"}));
}

TEST(StreamDataRows, MissingFile) {
  TempDir dir;
  IntermediateSet set;
  set.entries.resize(1);
  set.time.assign(1, 0.0);
  set.dataPath = dir / "data.csv";
  CollectingSink sink;
  EXPECT_EQ(CatchError([&] { Stream(set, sink); }),
            (CaughtError{"file", "Cannot open file \"" + set.dataPath + "\": No such file or directory"}));
}

// Rows reach the sink in blocks of 4096, each at its place, the last one short.
TEST(StreamDataRows, RowsArriveInBlocksInOrder) {
  const size_t rows = 2 * 4096 + 5;
  std::string text;
  std::vector<double> want;
  for (size_t r = 0; r < rows; ++r) {
    text += std::to_string(r) + "," + std::to_string(-static_cast<long>(r)) + ",\r\n";
    want.push_back(static_cast<double>(r));
    want.push_back(-static_cast<double>(r));
  }
  TempDir dir;
  CollectingSink sink;
  EXPECT_EQ(Stream(SetWithData(dir, 2, rows, text), sink), want);
  EXPECT_EQ(sink.blocks, (std::vector<Block>{{0, 4096}, {4096, 4096}, {8192, 5}}));

  // A fault after the first block: what was handed over stays, nothing after the bad line.
  text.replace(text.find("\r\n5000,"), 7, "\r\n5000x,");
  CollectingSink faulty;
  IntermediateSet set = SetWithData(dir, 2, rows, text);
  EXPECT_EQ(CatchError([&] { Stream(set, faulty); }),
            (CaughtError{"conversion", set.dataPath + ":5001: value 1 '5000x' is not a number"}));
  EXPECT_EQ(faulty.blocks, (std::vector<Block>{{0, 4096}}));
}

// A line longer than the 4 MiB read block: leading zeros make each value 40,000
// characters long.
TEST(StreamDataRows, LineLongerThanTheReadBlock) {
  const size_t channels = 114;
  std::string line;
  for (size_t k = 0; k < channels; ++k) {
    std::string value = std::to_string(k + 1);
    line += std::string(40000 - value.size(), '0') + value + ",";
  }
  ASSERT_GT(line.size(), size_t{1} << 22);
  std::string text = "\xEF\xBB\xBF" + line + "\r\n" + line + "\r\n1";
  for (size_t k = 1; k < channels; ++k) text += "," + std::to_string(k + 1);
  text += "\r\n";
  TempDir dir;
  CollectingSink sink;
  std::vector<double> got = Stream(SetWithData(dir, channels, 3, text), sink);
  ASSERT_EQ(got.size(), 3 * channels);
  for (size_t r = 0; r < 3; ++r)
    for (size_t k = 0; k < channels; ++k) ASSERT_EQ(got[r * channels + k], static_cast<double>(k + 1)) << r << "," << k;
}

// A broken multi-megabyte line gives a message of a sensible length.
TEST(StreamDataRows, LongBadValueIsQuotedShort) {
  TempDir dir;
  CollectingSink sink;
  IntermediateSet set = SetWithData(dir, 1, 1, std::string(5'000'000, '7') + "x\r\n");
  CaughtError got = CatchError([&] { Stream(set, sink); });
  EXPECT_EQ(got, (CaughtError{"conversion", set.dataPath + ":1: value 1 '" + std::string(40, '7') +
                                                "...' (5000001 bytes) is not a number"}));
}

}  // namespace
}  // namespace brenlow
