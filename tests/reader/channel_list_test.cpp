#include "reader/channel_list.h"

#include <gtest/gtest.h>

#include <string>

#include "recording_lines.h"

namespace ordwell {
namespace {

using testing::DatRecording;
using testing::DatxRecording;
using testing::LinesOf;
using testing::Recording;

ChannelTable TableOf(Recording r, const std::string& channelList, int slotCount) {
  r.channelList = channelList;
  r.rows = {"0"};
  ChannelTable table;
  ReadChannelList(r.dat ? FileKind::dat : FileKind::datx, slotCount, LinesOf(r), table);
  return table;
}

struct DatxSlotCase {
  std::string field;
  int32_t channel;
  int32_t offset;
};

class DatxChannelListTest : public ::testing::TestWithParam<DatxSlotCase> {};

TEST_P(DatxChannelListTest, ValueGivesChannelWithinItsBlock) {
  const DatxSlotCase& c = GetParam();
  // The field under test in slot 2, between two ordinary ones.
  ChannelTable table = TableOf(DatxRecording(), "1," + c.field + ",3", 17);
  EXPECT_EQ(table.slot[2].channel, c.channel) << "\"" << c.field << "\"";
  EXPECT_EQ(table.slot[2].offset, c.offset) << "\"" << c.field << "\"";
  EXPECT_EQ(table.slot[1].channel, 1);
  EXPECT_EQ(table.slot[3].channel, 3);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DatxChannelListTest,
    ::testing::Values(DatxSlotCase{"0", 0, 0}, DatxSlotCase{"1", 1, 0}, DatxSlotCase{"24", 24, 0},
                      DatxSlotCase{"25", 1, 66}, DatxSlotCase{"30", 6, 66}, DatxSlotCase{"48", 24, 66},
                      DatxSlotCase{"49", 1, 132}, DatxSlotCase{"72", 24, 132}, DatxSlotCase{"80", 32, 132},
                      // An empty or negative field makes the slot inactive.
                      DatxSlotCase{"", 0, 0}, DatxSlotCase{"-3", 0, 0}, DatxSlotCase{"-30", 0, 0},
                      // The fields go through stoi: a leading blank is fine, anything else gives 0.
                      DatxSlotCase{" 5", 5, 0}, DatxSlotCase{"5 ", 0, 0}, DatxSlotCase{"abc", 0, 0},
                      DatxSlotCase{"$19", 1, 66}));

TEST(ReadChannelList, TableStartsClearedEveryTime) {
  Recording r = DatxRecording();
  ChannelTable table;
  r.channelList = "1,30,72";
  r.rows = {"0"};
  ReadChannelList(FileKind::datx, 3, LinesOf(r), table);
  ASSERT_EQ(table.ActiveCount(), 3);
  r.channelList = ",-1";  // slot 3 missing altogether
  ReadChannelList(FileKind::datx, 3, LinesOf(r), table);
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(table.slot[static_cast<size_t>(k)].channel, 0) << k;
    EXPECT_EQ(table.slot[static_cast<size_t>(k)].offset, 0) << k;
  }
  EXPECT_EQ(table.ActiveCount(), 0);
}

TEST(ReadChannelList, FewerFieldsThanSlotsLeavesTheRestInactive) {
  for (bool dat : {false, true}) {
    ChannelTable table = TableOf(dat ? DatRecording() : DatxRecording(), "1,2,3", 17);
    EXPECT_EQ(table.ChannelCount, 17);
    EXPECT_EQ(table.ActiveCount(), 3);
    for (int k = 4; k <= 17; ++k) EXPECT_FALSE(table.IsActive(k)) << k;
  }
}

TEST(ReadChannelList, FieldsAfterTheSlotCountAreIgnored) {
  ChannelTable table = TableOf(DatxRecording(), "1,2,3,4,5", 2);
  EXPECT_EQ(table.ChannelCount, 2);
  EXPECT_EQ(table.slot[3].channel, 0);
  EXPECT_EQ(table.ActiveCount(), 2);
}

TEST(ReadChannelList, DatTakesTheNumberWhateverItsSign) {
  ChannelTable table = TableOf(DatRecording(), "3,1,-2,,0,x,30", 7);
  const ChannelSlot expected[] = {{3, 0}, {1, 0}, {-2, 0}, {0, 0}, {0, 0}, {0, 0}, {30, 0}};
  for (int k = 1; k <= 7; ++k) {
    EXPECT_EQ(table.slot[static_cast<size_t>(k)].channel, expected[k - 1].channel) << k;
    EXPECT_EQ(table.slot[static_cast<size_t>(k)].offset, 0) << k;
  }
  // A negative channel number still counts as an active slot.
  EXPECT_EQ(table.ActiveCount(), 4);
}

TEST(ReadChannelList, ReadsTheChannelListLineOfItsKind) {
  // The .datx list is line 37 and the .dat list line 21; the other kind's line is ignored.
  Recording datx = DatxRecording();
  datx.rows = {"0"};
  ChannelTable table;
  ReadChannelList(FileKind::datx, 2, LinesOf(datx, {{21, "5,6"}, {37, "7,8"}}), table);
  EXPECT_EQ(table.slot[1].channel, 7);
  Recording dat = DatRecording();
  dat.rows = {"0"};
  ReadChannelList(FileKind::dat, 2, LinesOf(dat, {{21, "5,6"}, {37, "7,8"}}), table);
  EXPECT_EQ(table.slot[1].channel, 5);
}

TEST(ReadChannelList, SlotCountBeyondTheTableIsBounded) {
  ChannelTable table = TableOf(DatxRecording(), "1,2,3", 1000);
  EXPECT_EQ(table.ChannelCount, kMaxChannelSlots);
  EXPECT_EQ(table.ActiveCount(), 3);
}

}  // namespace
}  // namespace ordwell
