#include "probe/layouts_2d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "probe/sensor_types.h"

namespace ordwell {
namespace {

using Rows = std::vector<std::string>;

TEST(BuildLayout2D, TwoBySixRowsInMillimetres) {
  Layout2D layout = BuildLayout2D(1);
  EXPECT_EQ(layout.SourceRows2D,
            (Rows{"30.0,60.0", "60.0,30.0", "90.0,60.0", "120.0,30.0", "150.0,60.0", "180.0,30.0"}));
  EXPECT_EQ(layout.DetectorRows2D,
            (Rows{"30.0,30.0", "60.0,60.0", "90.0,30.0", "120.0,60.0", "150.0,30.0", "180.0,60.0"}));
  ASSERT_EQ(layout.sources.size(), 6u);
  EXPECT_EQ(layout.sources[3].x, 120.0);
  EXPECT_EQ(layout.sources[3].y, 30.0);
}

TEST(BuildLayout2D, TriplePadReachesFurthest) {
  Layout2D layout = BuildLayout2D(7);
  ASSERT_EQ(layout.SourceRows2D.size(), 18u);
  ASSERT_EQ(layout.DetectorRows2D.size(), 18u);
  EXPECT_EQ(layout.SourceRows2D.back(), "390.0,30.0");
  EXPECT_EQ(layout.DetectorRows2D.back(), "420.0,30.0");
}

TEST(BuildLayout2D, ThreeByFourAndTwoByThreeWideDifferInTheSecondHalf) {
  Layout2D threeByFour = BuildLayout2D(2), wide = BuildLayout2D(6);
  ASSERT_EQ(threeByFour.SourceRows2D.size(), 6u);
  ASSERT_EQ(wide.SourceRows2D.size(), 6u);
  for (size_t k = 0; k < 3; ++k) EXPECT_EQ(threeByFour.SourceRows2D[k], wide.SourceRows2D[k]);
  EXPECT_EQ(Rows(threeByFour.SourceRows2D.begin() + 3, threeByFour.SourceRows2D.end()),
            (Rows{"90.0,90.0", "120.0,60.0", "90.0,30.0"}));
  EXPECT_EQ(Rows(wide.SourceRows2D.begin() + 3, wide.SourceRows2D.end()),
            (Rows{"120.0,90.0", "150.0,60.0", "120.0,30.0"}));
}

TEST(BuildLayout2D, NoTypeNoRows) {
  for (int type : {0, -3, 17}) {
    Layout2D layout = BuildLayout2D(type);
    EXPECT_TRUE(layout.SourceRows2D.empty());
    EXPECT_TRUE(layout.DetectorRows2D.empty());
    EXPECT_TRUE(layout.sources.empty());
    EXPECT_TRUE(layout.detectors.empty());
  }
}

// Every pad lies on the 30 mm grid between 30 and 420 mm, one point per optode, and
// each row is the text of its point.
TEST(BuildLayout2D, EveryPadOnTheGrid) {
  auto check = [](const std::vector<Point2D>& points, const Rows& rows, int type) {
    ASSERT_EQ(points.size(), static_cast<size_t>(OptodeCount(type)));
    ASSERT_EQ(rows.size(), points.size());
    for (size_t k = 0; k < points.size(); ++k) {
      for (double v : {points[k].x, points[k].y}) {
        EXPECT_GE(v, 30.0) << "type " << type << " point " << k + 1;
        EXPECT_LE(v, 420.0) << "type " << type << " point " << k + 1;
        EXPECT_EQ(std::fmod(v, 30.0), 0.0) << "type " << type << " point " << k + 1;
      }
      EXPECT_EQ(rows[k], std::to_string(static_cast<int>(points[k].x)) + ".0," +
                             std::to_string(static_cast<int>(points[k].y)) + ".0");
    }
  };
  for (int type = 1; type <= kSensorTypeCount; ++type) {
    Layout2D layout = BuildLayout2D(type);
    check(layout.sources, layout.SourceRows2D, type);
    check(layout.detectors, layout.DetectorRows2D, type);
  }
}

}  // namespace
}  // namespace ordwell
