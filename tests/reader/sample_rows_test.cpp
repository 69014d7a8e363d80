#include "reader/sample_rows.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "recording_lines.h"
#include "util/number_text.h"
#include "util/part_of_str.h"
#include "util/stoi.h"

namespace ordwell {
namespace {

using testing::DatRecording;
using testing::DatxRecording;
using testing::LinesOf;
using testing::NumberedRow;
using testing::Recording;

// One conversion's reading steps, as the read command runs them.
struct Conversion {
  FileKind kind = FileKind::datx;
  TextLines lines;
  HeaderValues header;
  ChannelTable table;
  EventMarks marks;
  SampleTable samples;

  void Load(const Recording& r, int slotCount) {
    kind = r.dat ? FileKind::dat : FileKind::datx;
    lines = LinesOf(r);
    std::vector<std::string> headerLines;
    ReadHeader(kind, lines, headerLines, header);
    marks.Reset();
    marks.MeasureMode = header.MeasureMode;
    marks.StartMark = header.StartMark;
    marks.EndMark = header.EndMark;
    ReadChannelList(kind, slotCount, lines, table);
  }
  void ReadRows() { ReadSampleRows(kind, lines, header.SamplingPeriod, table, marks, samples, "rec.datx"); }
  void Run(const Recording& r, int slotCount) {
    Load(r, slotCount);
    ReadRows();
  }
};

TEST(RawSamples, RowsOfActiveSlotsOnly) {
  RawSamples raw;
  raw.Reset(2, 3);
  int32_t* row = raw.AppendRow();
  for (int j = 0; j < 4; ++j) EXPECT_EQ(row[j], 0) << "a new row starts at zero";
  row[0] = 1, row[1] = 2, row[2] = 3, row[3] = 4;
  raw.AppendRow()[3] = 8;
  EXPECT_EQ(raw.rows(), 2u);
  EXPECT_EQ(raw.At(0, 1, 1), 1);
  EXPECT_EQ(raw.At(0, 1, 2), 2);
  EXPECT_EQ(raw.At(0, 2, 1), 3);
  EXPECT_EQ(raw.At(1, 2, 2), 8);
  raw.Reset(1, 0);
  EXPECT_EQ(raw.rows(), 0u);
  EXPECT_EQ(raw.activeSlots(), 1);
  raw.AppendRow();
  EXPECT_EQ(raw.rows(), 1u);
  raw.Release();
  EXPECT_EQ(raw.rows(), 0u);
}

TEST(RawSamples, RowsCountWithNoActiveSlot) {
  RawSamples raw;
  raw.Reset(0, 10);
  for (int i = 0; i < 5; ++i) raw.AppendRow();
  EXPECT_EQ(raw.rows(), 5u);
}

TEST(ReadSampleRows, DatxSlotsReadTheirBlockFields) {
  Recording r = DatxRecording();
  r.channelList = "30,72,49,0,1,25";
  // Field j of row i holds 1000 * (i + 1) + j, so each value names its field.
  for (int i = 0; i < 3; ++i) r.rows.push_back(NumberedRow("0", 1000 * (i + 1), 198));
  Conversion c;
  c.Run(r, 6);
  ASSERT_EQ(c.samples.SampleCount, 3);
  ASSERT_EQ(c.samples.raw.activeSlots(), 5);  // slot 4 is inactive and not stored
  const int firstFields[] = {78, 180, 134, 2, 68};
  for (size_t row = 0; row < 3; ++row) {
    const int base = 1000 * static_cast<int>(row + 1);
    for (int n = 1; n <= 5; ++n) {
      EXPECT_EQ(c.samples.raw.At(row, n, 1), base + firstFields[n - 1]) << "row " << row << " channel " << n;
      EXPECT_EQ(c.samples.raw.At(row, n, 2), base + firstFields[n - 1] + 1) << "row " << row << " channel " << n;
    }
  }
}

TEST(ReadSampleRows, DatSlotsReadTheOneBlock) {
  Recording r = DatRecording();
  r.channelList = "3,1,-2,0,2";
  r.rows = {NumberedRow("0", 100, 20)};
  Conversion c;
  c.Run(r, 5);
  ASSERT_EQ(c.samples.raw.activeSlots(), 4);
  EXPECT_EQ(c.samples.raw.At(0, 1, 1), 106);
  EXPECT_EQ(c.samples.raw.At(0, 1, 2), 107);
  EXPECT_EQ(c.samples.raw.At(0, 2, 1), 102);
  EXPECT_EQ(c.samples.raw.At(0, 2, 2), 103);
  // A negative channel number is active but reads nothing.
  EXPECT_EQ(c.samples.raw.At(0, 3, 1), 0);
  EXPECT_EQ(c.samples.raw.At(0, 3, 2), 0);
  EXPECT_EQ(c.samples.raw.At(0, 4, 1), 104);
}

TEST(ReadSampleRows, ValueFieldsGoThroughStoi) {
  struct Case {
    std::string field;
    int32_t value;
  } cases[] = {{"7", 7},          {" 7", 7},    {"7 ", 0},          {"\t7", 0},           {"12.5", 0},
               {"-7", -7},        {"+7", 7},    {"007", 7},         {"", 0},              {"x", 0},
               {"$1F", 31},       {"0x10", 16}, {"2147483648", 0},  {"-2147483648", INT32_MIN},
               {"1234567890", 1234567890}};
  Recording r = DatxRecording();
  r.channelList = "1";
  for (const Case& v : cases) r.rows.push_back("0," + v.field + "," + v.field);
  Conversion c;
  c.Run(r, 1);
  ASSERT_EQ(c.samples.raw.rows(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(c.samples.raw.At(i, 1, 1), cases[i].value) << "\"" << cases[i].field << "\"";
    EXPECT_EQ(c.samples.raw.At(i, 1, 2), cases[i].value) << "\"" << cases[i].field << "\"";
  }
}

TEST(ReadSampleRows, ShortRowsGiveZerosForMissingFields) {
  Recording r = DatxRecording();
  r.channelList = "1,24";
  r.rows = {"0,5,6,7", "0,5", "0", "0,,6"};
  Conversion c;
  c.Run(r, 2);
  const int32_t expected[4][4] = {{5, 6, 0, 0}, {5, 0, 0, 0}, {0, 0, 0, 0}, {0, 6, 0, 0}};
  for (size_t row = 0; row < 4; ++row)
    for (int j = 0; j < 4; ++j) EXPECT_EQ(c.samples.raw.Row(row)[j], expected[row][j]) << row << "/" << j;
}

TEST(ReadSampleRows, TimesAreARunningSumOfThePeriod) {
  for (const char* sampling : {"Fast", "Slow"}) {
    Recording r = DatxRecording();
    r.sampling = sampling;
    r.channelList = "1";
    for (int i = 0; i < 300; ++i) r.rows.push_back("0,1,2");
    Conversion c;
    c.Run(r, 1);
    const double period = c.header.SamplingPeriod;
    ASSERT_EQ(c.samples.times.size(), 300u);
    double t = 0.0;
    for (size_t i = 0; i < 300; ++i) {
      ASSERT_EQ(c.samples.times[i], t) << i;  // the sum itself, not i * period
      t += period;
    }
    EXPECT_EQ(FormatFixed(c.samples.times[1], 5), period == kFastPeriod ? "0.08192" : "0.65536");
    EXPECT_EQ(FormatFixed(c.samples.times[3], 5), period == kFastPeriod ? "0.24576" : "1.96608");
  }
}

TEST(ReadSampleRows, EveryLineFromTheFirstRowIsARow) {
  struct Case {
    bool dat;
    int rows;
  } cases[] = {{false, 1}, {false, 4}, {true, 1}, {true, 3}};
  for (const Case& k : cases) {
    Recording r = k.dat ? DatRecording() : DatxRecording();
    r.channelList = "1";
    for (int i = 0; i < k.rows; ++i) r.rows.push_back("0," + std::to_string(i) + ",0");
    Conversion c;
    c.Run(r, 1);
    ASSERT_EQ(c.lines.size(), static_cast<size_t>((k.dat ? 25 : 41) + k.rows));
    EXPECT_EQ(c.samples.SampleCount, k.rows);
    ASSERT_EQ(c.samples.raw.rows(), static_cast<size_t>(k.rows));
    EXPECT_EQ(c.samples.raw.At(0, 1, 1), 0);
    EXPECT_EQ(c.samples.raw.At(static_cast<size_t>(k.rows - 1), 1, 1), k.rows - 1);
  }
}

TEST(ReadSampleRows, RowsWithoutActiveSlotsStillCount) {
  Recording r = DatxRecording();
  r.channelList = "0,0";
  r.rows = {"0,1,2", "0,3,4", "0"};
  Conversion c;
  c.Run(r, 2);
  EXPECT_EQ(c.samples.SampleCount, 3);
  EXPECT_EQ(c.samples.raw.activeSlots(), 0);
  EXPECT_EQ(c.samples.raw.rows(), 3u);
  EXPECT_EQ(c.samples.times.size(), 3u);
}

TEST(ReadSampleRows, HugeChannelNumbersReadNothing) {
  Recording r = DatRecording();
  r.channelList = "2147483647,1";
  r.rows = {"0,5,6"};
  Conversion c;
  c.Run(r, 2);
  EXPECT_EQ(c.samples.raw.At(0, 1, 1), 0);
  EXPECT_EQ(c.samples.raw.At(0, 1, 2), 0);
  EXPECT_EQ(c.samples.raw.At(0, 2, 1), 5);
}

TEST(ReadSampleRows, MarksAreDecodedWithTheRowTime) {
  Recording r = DatxRecording();
  r.mode = "AUTO";
  r.channelList = "1";
  r.rows = {"0,1,1", "0,1,1", "1,1,1", "0,1,1", "2,1,1"};  // EVT1 on row 3, EVT2 on row 5
  Conversion c;
  c.Run(r, 1);
  ASSERT_EQ(c.marks.StimList.size(), 1u);
  const double t2 = kFastPeriod + kFastPeriod;
  const double t4 = t2 + kFastPeriod + kFastPeriod;
  EXPECT_EQ(c.marks.StimList[0], FormatFixed(t2, 5) + "," + FormatFixed(t4 - t2, 5) + ",1.0");
  EXPECT_EQ(c.marks.StimList[0], "0.16384,0.16384,1.0");
}

TEST(ReadSampleRows, BadMarkNamesFileAndLineAndKeepsSampleCount) {
  struct Case {
    std::string badRow;
    std::string message;
  } cases[] = {
      {"G,1,2", "rec.datx:44: '$G' is not a valid integer value"},
      {"", "rec.datx:44: '$' is not a valid integer value"},  // an empty line at the end
      {" 1,1,2", "rec.datx:44: '$ 1' is not a valid integer value"},
  };
  for (const Case& k : cases) {
    Recording r = DatxRecording();
    r.mode = "AUTO";
    r.channelList = "1";
    r.rows = {"1,1,2", "2,1,2", k.badRow, "0,1,2"};  // the bad row is line 43, 44th of the file
    Conversion c;
    c.samples.SampleCount = 77;
    c.Load(r, 1);
    try {
      c.ReadRows();
      ADD_FAILURE() << "no error for \"" << k.badRow << "\"";
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()), k.message);
    }
    EXPECT_EQ(c.samples.SampleCount, 77);
    // The rows before the bad one were decoded: their interval is kept.
    EXPECT_EQ(c.marks.StimList, (std::vector<std::string>{"0.00000,0.08192,1.0"}));
  }
}

TEST(ReadSampleRows, SecondConversionReplacesTheFirst) {
  Conversion c;
  Recording big = DatxRecording();
  big.channelList = "1,2,3";
  for (int i = 0; i < 10; ++i) big.rows.push_back(NumberedRow("0", 100 * i, 10));
  c.Run(big, 3);
  Recording small = DatxRecording();
  small.channelList = "2";
  small.rows = {NumberedRow("0", 5000, 10), NumberedRow("0", 6000, 10)};
  c.Run(small, 1);
  EXPECT_EQ(c.samples.SampleCount, 2);
  EXPECT_EQ(c.samples.raw.activeSlots(), 1);
  EXPECT_EQ(c.samples.raw.rows(), 2u);
  EXPECT_EQ(c.samples.times.size(), 2u);
  EXPECT_EQ(c.samples.raw.At(1, 1, 1), 6004);
}

TEST(ReadSampleRows, AgreesWithFieldByFieldReadingOnAFullProbe) {
  // 57 slots over all three blocks, rows of 199 fields of varied forms.
  std::mt19937 random(7);
  std::string list;
  for (int k = 1; k <= 57; ++k) {
    int v = static_cast<int>(random() % 74);  // 0..73, so some slots are inactive
    list += (k > 1 ? "," : "") + std::to_string(v);
  }
  const char* odd[] = {"",          " 12",        "12 ",        "-3",          "1.5",       "$A",
                       "99999999999", "123456789", "0012345678", "2147483647", "2147483648", "+5",
                       "0x1F",        "7a",        "-2147483648"};
  Recording r = DatxRecording();
  r.channelList = list;
  for (int i = 0; i < 50; ++i) {
    std::string row = "0";
    const int fields = 100 + static_cast<int>(random() % 100);  // some rows end early
    for (int j = 2; j <= fields; ++j)
      row += "," + (random() % 10 == 0 ? std::string(odd[random() % std::size(odd)]) : std::to_string(random() % 70000));
    r.rows.push_back(row);
  }
  Conversion c;
  c.Run(r, 57);
  ASSERT_EQ(c.samples.SampleCount, 50);
  for (size_t row = 0; row < 50; ++row) {
    std::string_view line = c.lines[41 + row];
    int n = 0;
    for (int k = 1; k <= 57; ++k) {
      const ChannelSlot& slot = c.table.slot[static_cast<size_t>(k)];
      if (slot.channel == 0) continue;
      ++n;
      const int f = 2 * slot.channel + slot.offset;
      ASSERT_EQ(c.samples.raw.At(row, n, 1), ordwell::stoi(GetPartOfStr(',', line, f))) << row << "/" << k;
      ASSERT_EQ(c.samples.raw.At(row, n, 2), ordwell::stoi(GetPartOfStr(',', line, f + 1))) << row << "/" << k;
    }
  }
}

}  // namespace
}  // namespace ordwell
