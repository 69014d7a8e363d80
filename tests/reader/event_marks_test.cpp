#include "reader/event_marks.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "platform/errors.h"
#include "reader/data_file.h"

namespace ordwell {
namespace {

TEST(MarkLabel, EventBitsAndTriggerByte) {
  struct Case {
    const char* field;
    const char* label;
  } cases[] = {
      {"0", ""},      {"1", "EVT1"},  {"3", "EVT1"},     {"2", "EVT2"},    {"4", "EVT3"},   {"8", "EVT4"},
      {"10", "EVT5"}, {"18", "EVT4"}, {"1F", "EVT1"},    {"20", ""},       {"E0", ""},      // bits 5..7 unused
      {"100", "T1"},  {"3100", "T1"}, {"3101", "T1"},    {"3200", "T2"},   {"6300", "T2"},  // h = 1, 49, 50, 99
      {"6400", ""},   {"6D00", ""},   {"6401", ""},      {"6E00", "T2"},   {"FF00", "T2"},  // h = 100, 109, 110, 255
      {"ff00", "T2"}, {"10000", ""},  {"10001", "EVT1"}, {"FFFFFFFF", "T2"}, {"0000000001", "EVT1"},
  };
  for (const Case& c : cases) EXPECT_EQ(MarkLabel(ParseMarkCode(c.field)), c.label) << c.field;
}

TEST(ParseMarkCode, HexadecimalWithinThirtyTwoBits) {
  EXPECT_EQ(ParseMarkCode("FFFFFFFF"), -1);
  EXPECT_EQ(ParseMarkCode("7FFFFFFF"), INT32_MAX);
  EXPECT_EQ(ParseMarkCode("00000000FF00"), 0xFF00);
}

TEST(ParseMarkCode, RejectsAnythingButHexDigitsWithTheDollarText) {
  for (const char* field : {"", " 1", "1 ", "-1", "+1", "1.0", "0x1", "$1", "100000000", "G", "1,2"}) {
    try {
      ParseMarkCode(field);
      ADD_FAILURE() << "accepted \"" << field << "\"";
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'$") + field + "' is not a valid integer value");
    }
  }
}

TEST(GetEVT, TakesTheFirstFieldOfTheRow) {
  EventMarks marks;
  marks.MeasureMode = "UDP";
  GetEVT("100,5,6", 1.0, marks);
  GetEVT("FF00", 3.0, marks);
  EXPECT_EQ(marks.StimList, (std::vector<std::string>{"1.00000,2.00000,1.0"}));
  EXPECT_THROW(GetEVT(",100", 4.0, marks), ConversionError);
}

// Mark fields for the scenarios below.
constexpr const char* kT1 = "100";
constexpr const char* kT2 = "FF00";
constexpr const char* kEvt1 = "1";
constexpr const char* kEvt2 = "2";
constexpr const char* kNone = "0";

struct Scenario {
  const char* name;
  std::string mode, startMark, endMark;
  std::vector<std::pair<const char*, double>> marks;  // mark field and row time
  std::vector<std::string> rows;
};

class PairingTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(PairingTest, GivesTheseStimulusRows) {
  const Scenario& s = GetParam();
  EventMarks marks;
  marks.MeasureMode = s.mode;
  marks.StartMark = s.startMark;
  marks.EndMark = s.endMark;
  for (const auto& [field, t] : s.marks) GetEVTField(field, t, marks);
  EXPECT_EQ(marks.StimList, s.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Udp, PairingTest,
    ::testing::Values(
        Scenario{"one_interval", "UDP", "", "", {{kT1, 2.0}, {kT2, 7.5}}, {"2.00000,5.50000,1.0"}},
        Scenario{"later_t2_same_onset", "UDP", "", "",
                 {{kT1, 2.0}, {kT2, 7.5}, {kT2, 9.0}}, {"2.00000,5.50000,1.0", "2.00000,7.00000,1.0"}},
        Scenario{"t2_before_any_t1", "UDP", "", "", {{kT2, 3.0}}, {"0.00000,3.00000,1.0"}},
        Scenario{"last_t1_counts", "UDP", "", "", {{kT1, 1.0}, {kT1, 3.0}, {kT2, 4.0}}, {"3.00000,1.00000,1.0"}},
        // Event labels do nothing in this mode, even when they are the header's marks.
        Scenario{"events_ignored", "UDP", "EVT1", "EVT2", {{kEvt1, 1.0}, {kEvt2, 2.0}, {kNone, 3.0}}, {}}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    StartEnd, PairingTest,
    ::testing::Values(
        Scenario{"auto", "AUTO", "EVT1", "EVT2",
                 {{kEvt1, 10.0}, {kEvt1, 12.0}, {kEvt2, 20.0}, {kEvt2, 25.0}},
                 {"10.00000,10.00000,1.0", "0.00000,25.00000,1.0"}},
        Scenario{"manu", "MANU", "EVT1", "EVT2", {{kEvt1, 10.0}, {kEvt1, 12.0}, {kEvt2, 20.0}},
                 {"10.00000,10.00000,1.0"}},
        Scenario{"manual", "MANUAL", "EVT1", "EVT2", {{kEvt1, 10.0}, {kEvt1, 12.0}, {kEvt2, 20.0}},
                 {"10.00000,10.00000,1.0"}},
        Scenario{"trigger_labels", "AUTO", "T1", "T2", {{kT1, 1.5}, {kT2, 4.0}}, {"1.50000,2.50000,1.0"}},
        // The same label opens and closes in turn.
        Scenario{"start_equals_end", "AUTO", "EVT1", "EVT1",
                 {{kEvt1, 1.0}, {kEvt1, 2.0}, {kEvt1, 3.0}, {kEvt1, 5.0}},
                 {"1.00000,1.00000,1.0", "3.00000,2.00000,1.0"}},
        // A start at t = 0 leaves no open interval: the next start opens anew ...
        Scenario{"start_at_zero_then_start", "AUTO", "EVT1", "EVT2",
                 {{kEvt1, 0.0}, {kEvt1, 2.0}, {kEvt2, 3.0}}, {"2.00000,1.00000,1.0"}},
        // ... and an end before that measures from 0.
        Scenario{"start_at_zero_then_end", "AUTO", "EVT1", "EVT2", {{kEvt1, 0.0}, {kEvt2, 1.0}},
                 {"0.00000,1.00000,1.0"}},
        // An empty label is equal to an empty mark text.
        Scenario{"empty_start_mark", "AUTO", "", "EVT2", {{kNone, 1.0}, {kNone, 2.0}, {kEvt2, 3.0}},
                 {"1.00000,2.00000,1.0"}},
        Scenario{"empty_end_mark", "AUTO", "EVT1", "", {{kNone, 1.0}}, {"0.00000,1.00000,1.0"}},
        // A suppressed trigger (h 100..109) hides the event bit under it.
        Scenario{"suppressed_trigger", "AUTO", "EVT1", "EVT2", {{"6401", 1.0}, {"6402", 2.0}}, {}}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    UnknownModes, PairingTest,
    ::testing::Values(Scenario{"lower_manual", "manual", "EVT1", "EVT2", {{kEvt1, 1.0}, {kEvt2, 2.0}}, {}},
                      Scenario{"mixed_udp", "Udp", "EVT1", "EVT2", {{kT1, 1.0}, {kT2, 2.0}}, {}},
                      Scenario{"trailing_blank", "AUTO ", "EVT1", "EVT2", {{kEvt1, 1.0}, {kEvt2, 2.0}}, {}},
                      Scenario{"empty", "", "", "", {{kNone, 1.0}, {kT2, 2.0}}, {}}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

TEST(GetEVT, IntervalTimesAfterClosing) {
  EventMarks marks;
  marks.MeasureMode = "AUTO";
  marks.StartMark = "EVT1";
  marks.EndMark = "EVT2";
  GetEVTField(kEvt1, 2.0, marks);
  EXPECT_EQ(marks.StimStart, 2.0);
  GetEVTField(kEvt2, 6.0, marks);
  EXPECT_EQ(marks.StimStart, 0.0);  // closed
  EXPECT_EQ(marks.StimEnd, 6.0);

  marks.MeasureMode = "UDP";
  GetEVTField(kT1, 7.0, marks);
  GetEVTField(kT2, 8.0, marks);
  EXPECT_EQ(marks.StimStart, 7.0);  // the onset stays for later T2 marks
  EXPECT_EQ(marks.StimEnd, 8.0);
}

TEST(GetEVT, BadMarkChangesNothing) {
  EventMarks marks;
  marks.MeasureMode = "AUTO";
  marks.StartMark = "EVT1";
  marks.EndMark = "EVT2";
  GetEVTField(kEvt1, 2.0, marks);
  EXPECT_THROW(GetEVTField("2 ", 3.0, marks), ConversionError);
  EXPECT_EQ(marks.StimStart, 2.0);
  EXPECT_TRUE(marks.StimList.empty());
}

TEST(DefaultStimRow, FiveSecondsInToTheLastWholeSecondFiveBeforeTheEnd) {
  struct Case {
    int rows;
    double period;
    const char* row;
  } cases[] = {
      {1000, kFastPeriod, "5.0,71.0,1.0"},  {1000, kSlowPeriod, "5.0,645.0,1.0"},
      {100, kFastPeriod, "5.0,-2.0,1.0"},   {61, kFastPeriod, "5.0,-5.0,1.0"},  // x just below 0
      {122, kFastPeriod, "5.0,-1.0,1.0"},   {123, kFastPeriod, "5.0,0.0,1.0"},
      {0, kFastPeriod, "5.0,-10.0,1.0"},    {100000, kFastPeriod, "5.0,8182.0,1.0"},
  };
  for (const Case& c : cases) EXPECT_EQ(DefaultStimRow(c.rows, c.period), c.row) << c.rows << " rows at " << c.period;
}

}  // namespace
}  // namespace ordwell
