#include "reader/data_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "recording_lines.h"

namespace ordwell {
namespace {

using testing::DatRecording;
using testing::DatxRecording;
using testing::LinesOf;
using testing::Recording;

HeaderValues HeaderOf(const Recording& recording, const std::map<int, std::string>& replaced = {}) {
  Recording r = recording;
  r.rows = {"0"};
  std::vector<std::string> headerLines;
  HeaderValues values;
  ReadHeader(r.dat ? FileKind::dat : FileKind::datx, LinesOf(r, replaced), headerLines, values);
  return values;
}

TEST(FileKindFromPath, ExactExtensionOfTheFileName) {
  struct Case {
    const char* path;
    std::optional<FileKind> kind;
  } cases[] = {
      {"subject01.datx", FileKind::datx},
      {"/data/subject01.dat", FileKind::dat},
      {"C:\\data\\run.datx", FileKind::datx},
      {".dat", FileKind::dat},
      {"a.datx.dat", FileKind::dat},
      {"run1.DATX", std::nullopt},
      {"run1.Dat", std::nullopt},
      {"a.dat.bak", std::nullopt},
      {"a.datxx", std::nullopt},
      {"a.", std::nullopt},
      {"noextension", std::nullopt},
      // A dot in a folder name is not the file's extension.
      {"/data/old.datx/readme", std::nullopt},
      {"C:\\old.dat\\readme", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(FileKindFromPath(c.path), c.kind) << c.path;
}

struct SamplingCase {
  bool dat;
  std::string field;
  double period;
};

class SamplingPeriodTest : public ::testing::TestWithParam<SamplingCase> {};

TEST_P(SamplingPeriodTest, FastOnlyForTheExactWord) {
  Recording r = GetParam().dat ? DatRecording() : DatxRecording();
  r.sampling = GetParam().field;
  EXPECT_EQ(HeaderOf(r).SamplingPeriod, GetParam().period) << "\"" << GetParam().field << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Datx, SamplingPeriodTest,
    ::testing::Values(SamplingCase{false, "Fast", kFastPeriod}, SamplingCase{false, "fast", kSlowPeriod},
                      SamplingCase{false, "FAST", kSlowPeriod}, SamplingCase{false, "Fast ", kSlowPeriod},
                      SamplingCase{false, " Fast", kSlowPeriod}, SamplingCase{false, "", kSlowPeriod},
                      SamplingCase{false, "Slow", kSlowPeriod},
                      // Only the text up to the second "=" is the field.
                      SamplingCase{false, "Fast=1", kFastPeriod}));

INSTANTIATE_TEST_SUITE_P(
    Dat, SamplingPeriodTest,
    ::testing::Values(SamplingCase{true, "FAST", kFastPeriod}, SamplingCase{true, "FAST(81.92ms)", kFastPeriod},
                      SamplingCase{true, "FAST;x", kFastPeriod}, SamplingCase{true, "Fast", kSlowPeriod},
                      SamplingCase{true, "FAS", kSlowPeriod}, SamplingCase{true, " FAST", kSlowPeriod},
                      SamplingCase{true, "", kSlowPeriod}));

TEST(SamplingPeriod, DatxLineWithoutEqualsIsSlow) {
  EXPECT_EQ(HeaderOf(DatxRecording(), {{9, "Sampling Fast"}}).SamplingPeriod, kSlowPeriod);
}

TEST(SamplingPeriod, SlowIsEightTimesFast) { EXPECT_EQ(kSlowPeriod, 8 * kFastPeriod); }

TEST(ReadHeader, DatxValuesFromTheirLines) {
  Recording r = DatxRecording();
  r.sensorType = "3x4";
  r.mode = "MANUAL";
  r.startMark = "T1";
  r.endMark = "T2";
  HeaderValues v = HeaderOf(r);
  EXPECT_EQ(v.SamplingPeriod, kFastPeriod);
  EXPECT_EQ(v.SensorTypeText, "3x4");
  EXPECT_EQ(v.MeasureMode, "MANUAL");
  EXPECT_EQ(v.StartMark, "T1");
  EXPECT_EQ(v.EndMark, "T2");
}

TEST(ReadHeader, DatSensorTypeIsAlways2x6) {
  Recording r = DatRecording();
  r.mode = "UDP";
  HeaderValues v = HeaderOf(r, {{10, "SensorType=3x4"}});
  EXPECT_EQ(v.SensorTypeText, "2x6");
  EXPECT_EQ(v.MeasureMode, "UDP");
  EXPECT_EQ(v.StartMark, "EVT1");
  EXPECT_EQ(v.EndMark, "EVT2");
  EXPECT_EQ(v.SamplingPeriod, kFastPeriod);
}

TEST(ReadHeader, FieldsAreTakenAsWritten) {
  struct Case {
    int line;
    std::string text;
    std::string HeaderValues::*value;
    std::string expected;
  } cases[] = {
      {13, "Mode=AUTO=x", &HeaderValues::MeasureMode, "AUTO"},
      {13, "Mode= AUTO", &HeaderValues::MeasureMode, " AUTO"},
      {13, "Mode AUTO", &HeaderValues::MeasureMode, ""},
      {10, "Type=3x4T", &HeaderValues::SensorTypeText, "3x4T"},
      // The text before the first "=" is not examined, commas included.
      {14, "Start,Mark=1,EVT3", &HeaderValues::StartMark, "EVT3"},
      {14, "StartMark=1,EVT1,x", &HeaderValues::StartMark, "EVT1"},
      {14, "StartMark=EVT1", &HeaderValues::StartMark, ""},
      {15, "EndMark=", &HeaderValues::EndMark, ""},
      {15, "EndMark=1,", &HeaderValues::EndMark, ""},
      {15, "EndMark=1,EVT2=3", &HeaderValues::EndMark, "EVT2"},
  };
  for (const Case& c : cases) EXPECT_EQ(HeaderOf(DatxRecording(), {{c.line, c.text}}).*c.value, c.expected) << c.text;
}

TEST(ReadHeader, LoneLfLinesGiveTheSameValues) {
  Recording r = DatxRecording();
  r.mode = "UDP";
  r.rows = {"0"};
  std::string crlf = r.Text();
  std::string lf;
  for (char c : crlf)
    if (c != '\r') lf += c;
  std::vector<std::string> linesA, linesB;
  HeaderValues a, b;
  ReadHeader(FileKind::datx, TextLines(crlf), linesA, a);
  ReadHeader(FileKind::datx, TextLines(lf), linesB, b);
  EXPECT_EQ(linesA, linesB);
  EXPECT_EQ(a.MeasureMode, "UDP");
  EXPECT_EQ(b.MeasureMode, a.MeasureMode);
  EXPECT_EQ(b.SensorTypeText, a.SensorTypeText);
  EXPECT_EQ(b.SamplingPeriod, a.SamplingPeriod);
}

TEST(ReadHeader, ExtraLineShiftsEverythingSilently) {
  Recording r = DatxRecording();
  r.rows = {"0"};
  std::string text = "\r\n" + r.Text();  // one empty line in front
  std::vector<std::string> headerLines;
  HeaderValues v;
  ReadHeader(FileKind::datx, TextLines(text), headerLines, v);
  EXPECT_EQ(v.SensorTypeText, "Fast");  // line 10 now holds the sampling line
  EXPECT_EQ(v.SamplingPeriod, kSlowPeriod);
  EXPECT_EQ(v.MeasureMode, "x");
}

TEST(ReadHeader, HeaderLinesAreTheFirstMinLineCountLinesReplacingOldOnes) {
  Recording r = DatxRecording();
  r.rows = {"0", "1", "2", "3"};  // 45 lines
  std::vector<std::string> headerLines(100, "old");
  HeaderValues v;
  TextLines lines = LinesOf(r);
  ReadHeader(FileKind::datx, lines, headerLines, v);
  ASSERT_EQ(headerLines.size(), 42u);
  EXPECT_EQ(headerLines[0], "Line0=x");
  EXPECT_EQ(headerLines[41], "0");  // the first sample row is included
}

MeasurementDateTime DateTimeOf(FileKind kind, const std::string& dateLine) {
  std::vector<std::string> headerLines(static_cast<size_t>(LayoutOf(kind).MinLineCount), "x");
  headerLines[static_cast<size_t>(LayoutOf(kind).DateLine)] = dateLine;
  return ReadMeasurementDateTime(kind, headerLines);
}

struct DateCase {
  const char* name;
  std::string line;
  std::string date;
  std::string time;
};

class MeasurementDateTimeTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(MeasurementDateTimeTest, FixedCharacterPositions) {
  for (FileKind kind : {FileKind::datx, FileKind::dat}) {
    MeasurementDateTime dt = DateTimeOf(kind, GetParam().line);
    EXPECT_EQ(dt.MeasurementDate, GetParam().date);
    EXPECT_EQ(dt.MeasurementTime, GetParam().time);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MeasurementDateTimeTest,
    ::testing::Values(
        DateCase{"full", "XXXXXX2023.05.12 08:09:10", "2023-05-12", "08:09:10"},
        DateCase{"slashes", "Date= 2023/05/12 08:09:10", "2023-05-12", "08:09:10"},
        DateCase{"longer_line", "XXXXXX2023/05/12 08:09:10.250 more", "2023-05-12", "08:09:10"},
        // Only the 5th and 8th of the ten characters change, whatever they hold.
        DateCase{"other_separators", "XXXXXX20230512ab 08:09:10", "2023-51-ab", "08:09:10"},
        // A short line gives what it has; missing positions are not written.
        DateCase{"empty", "", "", ""},
        DateCase{"six_characters", "XXXXXX", "", ""},
        DateCase{"year_only", "XXXXXX2023", "2023", ""},
        DateCase{"ends_on_fifth", "XXXXXX2023.", "2023-", ""},
        DateCase{"fifth_exists", "XXXXXX2023.0", "2023-0", ""},
        DateCase{"before_eighth", "XXXXXX2023.05", "2023-05", ""},
        DateCase{"ends_on_eighth", "XXXXXX2023.05.", "2023-05-", ""},
        DateCase{"eighth_exists", "XXXXXX2023.05.1", "2023-05-1", ""},
        DateCase{"date_no_time", "XXXXXX2023.05.12", "2023-05-12", ""},
        DateCase{"partial_time", "XXXXXX2023.05.12 08:0", "2023-05-12", "08:0"},
        // Positions count UTF-16 units: four CJK characters are four positions, not
        // twelve bytes, and the emoji takes two positions.
        DateCase{"cjk_prefix", "\xE6\xB8\xAC\xE5\xAE\x9A\xE6\x97\xA5\xE6\x99\x82= 2023/05/12 08:09:10", "2023-05-12",
                 "08:09:10"},
        DateCase{"surrogate_pair_prefix", "\xF0\x9F\x98\x80" "Date2023/05/12 08:09:10", "2023-05-12", "08:09:10"},
        DateCase{"cjk_separators", "XXXXXX2023\xE5\xB9\xB4" "05\xE6\x9C\x88" "12\xE6\x97\xA5 08:09", "2023-05-12",
                 " 08:09"}),
    [](const ::testing::TestParamInfo<DateCase>& info) { return std::string(info.param.name); });

TEST(MeasurementDateTime, DatAndDatxUseTheirOwnDateLine) {
  Recording datx = DatxRecording();
  datx.dateLine = "XXXXXX2021.01.02 03:04:05";
  datx.rows = {"0"};
  Recording dat = DatRecording();
  dat.dateLine = "XXXXXX2022.06.07 08:09:10";
  dat.rows = {"0"};
  std::vector<std::string> headerLines;
  HeaderValues v;
  ReadHeader(FileKind::datx, LinesOf(datx), headerLines, v);
  EXPECT_EQ(ReadMeasurementDateTime(FileKind::datx, headerLines).MeasurementDate, "2021-01-02");
  ReadHeader(FileKind::dat, LinesOf(dat), headerLines, v);
  EXPECT_EQ(ReadMeasurementDateTime(FileKind::dat, headerLines).MeasurementTime, "08:09:10");
}

TEST(MeasurementDateTime, MissingDateLineGivesEmptyTexts) {
  MeasurementDateTime dt = ReadMeasurementDateTime(FileKind::datx, {"a", "b"});
  EXPECT_EQ(dt.MeasurementDate, "");
  EXPECT_EQ(dt.MeasurementTime, "");
}

}  // namespace
}  // namespace ordwell
