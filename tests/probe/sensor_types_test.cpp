#include "probe/sensor_types.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <utility>

#include "probe/layouts_2d.h"

namespace ordwell {
namespace {

TEST(SensorTypeFromText, EveryNameOfEveryType) {
  const std::pair<const char*, int> kNames[] = {
      {"2x6", 1},      {"2x6f", 1},     {"3x4", 2},      {"3x4T", 2},     {"3x4B", 2},     {"3x4W", 3},
      {"3x8", 4},      {"3x12", 5},     {"2x3W", 6},     {"3x4Tri", 7},   {"2x12", 8},     {"4x6", 9},
      {"6x4", 10},     {"2x6+2x3W", 11}, {"2x6+2x6", 12}, {"2x6+3x4", 13}, {"2x6+3x8", 14}, {"2x6+4x6", 15},
      {"2x6+6x4", 16},
  };
  for (const auto& [text, type] : kNames) EXPECT_EQ(SensorTypeFromText(text), type) << text;
}

TEST(SensorTypeFromText, OnlyExactTextsMatch) {
  const char* const kNotNames[] = {
      "", "3x4t", "3X4", "2x6F", " 3x4", "3x4 ", "3x4\t", "3x4Tr", "3x4Trix", "2x6+", "+2x6", "2x6+3x4 ", "x",
  };
  for (const char* text : kNotNames) EXPECT_EQ(SensorTypeFromText(text), std::nullopt) << '"' << text << '"';
}

TEST(SensorTypeCatalogue, CountsOfEveryType) {
  struct Row {
    int type, slots, pairRows, optodes;
  };
  const Row kRows[] = {
      {1, 16, 16, 6},   {2, 17, 17, 6},   {3, 34, 34, 12},  {4, 37, 37, 12},  {5, 57, 57, 18},  {6, 17, 14, 6},
      {7, 57, 51, 18},  {8, 34, 34, 12},  {9, 38, 38, 12},  {10, 38, 38, 12}, {11, 33, 30, 12}, {12, 32, 32, 12},
      {13, 33, 33, 12}, {14, 53, 53, 18}, {15, 54, 54, 18}, {16, 54, 54, 18},
  };
  for (const Row& r : kRows) {
    EXPECT_EQ(ChannelSlotCount(r.type), r.slots) << "type " << r.type;
    EXPECT_EQ(PairRowCount(r.type), r.pairRows) << "type " << r.type;
    EXPECT_EQ(OptodeCount(r.type), r.optodes) << "type " << r.type;
  }
}

TEST(SensorTypeCatalogue, NothingOutsideTheSixteenTypes) {
  for (int type : {-1, 0, 17, 1000}) {
    EXPECT_EQ(ChannelSlotCount(type), 0);
    EXPECT_EQ(OptodeCount(type), 0);
    EXPECT_EQ(PairRowCount(type), 0);
    EXPECT_EQ(ChannelPair(type, 1).source, 0);
  }
  EXPECT_EQ(ChannelPair(1, 0).source, 0);
  EXPECT_EQ(ChannelPair(1, 17).detector, 0);
  EXPECT_TRUE(PositionFileName(-1).empty());
  EXPECT_TRUE(PositionFileName(17).empty());
}

double DistanceMm(const Point2D& a, const Point2D& b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Each channel of a pad runs between a source and a detector on neighbouring grid
// places; a mistyped pair or point shows here.
TEST(SensorTypeCatalogue, EveryPairJoinsNeighboursOnceWithinThePad) {
  for (int type = 1; type <= kSensorTypeCount; ++type) {
    Layout2D layout = BuildLayout2D(type);
    std::set<std::pair<int, int>> seen;
    for (int n = 1; n <= PairRowCount(type); ++n) {
      ChannelPairRow pair = ChannelPair(type, n);
      SCOPED_TRACE("type " + std::to_string(type) + " row " + std::to_string(n));
      ASSERT_GE(pair.source, 1);
      ASSERT_LE(pair.source, OptodeCount(type));
      ASSERT_GE(pair.detector, 1);
      ASSERT_LE(pair.detector, OptodeCount(type));
      EXPECT_DOUBLE_EQ(DistanceMm(layout.sources[pair.source - 1], layout.detectors[pair.detector - 1]), 30.0);
      EXPECT_TRUE(seen.insert({pair.source, pair.detector}).second) << "pair occurs twice";
    }
    EXPECT_LE(PairRowCount(type), ChannelSlotCount(type)) << "type " << type;
  }
}

TEST(SensorTypeCatalogue, PairTablesSpotChecks) {
  struct Row {
    int type, n, source, detector;
  };
  const Row kRows[] = {
      {1, 1, 1, 1},   {1, 6, 2, 3},    {1, 16, 6, 6},   {2, 1, 1, 2},    {2, 2, 3, 2},   {2, 16, 5, 4},
      {2, 17, 5, 6},  {6, 8, 4, 5},    {7, 35, 13, 14}, {7, 51, 17, 18}, {9, 17, 7, 1},  {15, 33, 13, 7},
      {15, 54, 18, 17},
  };
  for (const Row& r : kRows) {
    ChannelPairRow pair = ChannelPair(r.type, r.n);
    EXPECT_EQ(pair.source, r.source) << "type " << r.type << " row " << r.n;
    EXPECT_EQ(pair.detector, r.detector) << "type " << r.type << " row " << r.n;
  }
}

// "4x6"/"6x4" and "2x6+4x6"/"2x6+6x4" are the same pads turned on the head.
TEST(SensorTypeCatalogue, TurnedPadsShareTheirPairs) {
  for (auto [a, b] : {std::pair{9, 10}, std::pair{15, 16}}) {
    ASSERT_EQ(PairRowCount(a), PairRowCount(b));
    for (int n = 1; n <= PairRowCount(a); ++n) {
      EXPECT_EQ(ChannelPair(a, n).source, ChannelPair(b, n).source) << a << "/" << b << " row " << n;
      EXPECT_EQ(ChannelPair(a, n).detector, ChannelPair(b, n).detector) << a << "/" << b << " row " << n;
    }
  }
}

TEST(PositionFileName, OriginThenOneOthersFilePerType) {
  EXPECT_EQ(PositionFileName(0), "nfri_mni_origin.csv");
  EXPECT_EQ(PositionFileName(1), "nfri_mni_others_2x6f.csv");
  EXPECT_EQ(PositionFileName(2), "nfri_mni_others_3x4.csv");
  EXPECT_EQ(PositionFileName(11), "nfri_mni_others_2x6+2x3W.csv");
  // Every others file is named after a text of its own type.
  for (int type = 1; type <= kSensorTypeCount; ++type) {
    std::string_view name = PositionFileName(type);
    std::string_view prefix = "nfri_mni_others_", suffix = ".csv";
    ASSERT_TRUE(name.starts_with(prefix) && name.ends_with(suffix)) << name;
    std::string_view text = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    EXPECT_EQ(SensorTypeFromText(text), type) << name;
  }
}

}  // namespace
}  // namespace ordwell
