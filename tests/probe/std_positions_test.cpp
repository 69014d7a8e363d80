#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "caught_error.h"
#include "platform/encoding.h"
#include "probe/positions_3d.h"
#include "probe/sensor_types.h"
#include "support/fake_file_system.h"
#include "synthetic_library.h"

namespace ordwell {
namespace {

using testing::CatchError;
using testing::CaughtError;
using testing::FakeFileSystem;
using testing::Row3D;
using Rows = std::vector<std::string>;

const std::string kFolder = "/base/STD_POS3D";

std::string LibraryFile(int index) { return JoinPath(kFolder, PositionFileName(index)); }

// Optode k sits at row position of its label "0k" in the sorted list: 01, 010, 011, 02 ...
std::vector<int> LabelOrder(int count) {
  std::vector<int> order;
  for (int k = 1; k <= count; ++k) order.push_back(k);
  std::sort(order.begin(), order.end(), [](int a, int b) { return std::to_string(a) < std::to_string(b); });
  return order;
}

class StdLibraryTest : public ::testing::Test {
 protected:
  StdLibraryTest() { testing::WriteSyntheticLibrary(fs, kFolder); }

  CaughtError Load() { return CatchError([&] { library.GetStdPOS3D(ctx, kFolder); }); }

  std::vector<int> Flags() const { return {library.StdPosAvailable.begin(), library.StdPosAvailable.end()}; }

  FakeFileSystem fs;
  Charset ansi = Charset::Utf8();
  PositionFileContext ctx{fs, ansi, "."};
  StdPositionLibrary library;
};

TEST_F(StdLibraryTest, WholeLibraryLoads) {
  ASSERT_EQ(Load().kind, "none");
  EXPECT_EQ(Flags(), std::vector<int>(17, 1));
  EXPECT_EQ(library.StdScale, 1.0);
  EXPECT_EQ(library.StdLandmarkList.size(), 5u);
  EXPECT_EQ(library.StdLandmarkList[2], "-75.0000,-18.5000,-50.0000");
  for (int type = 1; type <= kSensorTypeCount; ++type) {
    SCOPED_TRACE("type " + std::to_string(type));
    EXPECT_TRUE(library.Available(type));
    std::vector<int> order = LabelOrder(OptodeCount(type));
    const Rows& sources = library.StdSourceLists[static_cast<size_t>(type)];
    const Rows& detectors = library.StdDetectorLists[static_cast<size_t>(type)];
    ASSERT_EQ(sources.size(), order.size());
    ASSERT_EQ(detectors.size(), order.size());
    for (size_t row = 0; row < order.size(); ++row) {
      EXPECT_EQ(sources[row], Row3D(testing::SyntheticSource(type, order[row])));
      EXPECT_EQ(detectors[row], Row3D(testing::SyntheticDetector(type, order[row])));
    }
  }
  // Twelve optodes: LD10..LD12 come right after LD1.
  EXPECT_EQ(library.StdSourceLists[3][1], Row3D(testing::SyntheticSource(3, 10)));
  EXPECT_EQ(library.StdSourceLists[1][0], "10.2500,-5.0000,50.5000");
}

TEST_F(StdLibraryTest, NoOriginNoType) {
  fs.files.erase(LibraryFile(0));
  ASSERT_EQ(Load().kind, "none");
  EXPECT_EQ(Flags(), std::vector<int>(17, 0));
  for (int type = 1; type <= kSensorTypeCount; ++type) {
    EXPECT_FALSE(library.Available(type));
    EXPECT_TRUE(library.StdSourceLists[static_cast<size_t>(type)].empty());
  }
}

TEST_F(StdLibraryTest, FilesThatYieldNothingLeaveOnlyTheirTypeOut) {
  fs.files.erase(LibraryFile(4));
  fs.files[LibraryFile(5)] = "";
  fs.files[LibraryFile(6)] = "S LD1,1,2,3\r\nS LD2,1,2,3\r\n";  // no detector line
  fs.files[LibraryFile(7)] = "D PD1,1,2,3\r\n";                 // no source line
  fs.files[LibraryFile(8)] = "S ld1,1,2,3\r\nD PD1,1,2,3\r\n";  // "ld" is no source
  ASSERT_EQ(Load().kind, "none");
  std::vector<int> expected(17, 1);
  for (int type : {4, 5, 6, 7, 8}) expected[static_cast<size_t>(type)] = 0;
  EXPECT_EQ(Flags(), expected);
  for (int type : {4, 5, 6, 7, 8}) {
    EXPECT_FALSE(library.Available(type));
    EXPECT_TRUE(library.StdSourceLists[static_cast<size_t>(type)].empty()) << type;
    EXPECT_TRUE(library.StdDetectorLists[static_cast<size_t>(type)].empty()) << type;
  }
  EXPECT_TRUE(library.Available(9));
}

TEST_F(StdLibraryTest, EmptyOriginMarksEverythingAbsent) {
  fs.files[LibraryFile(0)] = "";
  ASSERT_EQ(Load().kind, "none");
  EXPECT_EQ(Flags(), std::vector<int>(17, 0));
}

TEST_F(StdLibraryTest, ScaleComesFromTheReferenceDistance) {
  library.StdArAlDistance = 300.0;
  ASSERT_EQ(Load().kind, "none");
  EXPECT_EQ(library.StdScale, 2.0);
  EXPECT_EQ(library.StdLandmarkList[2], "-150.0000,-37.0000,-100.0000");
  EXPECT_EQ(library.StdSourceLists[2][0], Row3D(testing::SyntheticSource(2, 1), 2.0));
}

TEST_F(StdLibraryTest, RegionalCommaReadsThePointToo) {
  ctx.decimalSeparator = ",";
  ASSERT_EQ(Load().kind, "none");
  EXPECT_EQ(Flags(), std::vector<int>(17, 1));
  EXPECT_EQ(library.StdLandmarkList[0], "0.0000,84.5000,-42.2500");
}

// An error ends the loading at its file: that flag and all later ones stay 0, the
// types read before stay available, and the message names the file and line.
TEST_F(StdLibraryTest, ErrorEndsTheLoadingAtItsFile) {
  struct Case {
    const char* name;
    int index;
    std::string text;
    CaughtError error;
  };
  std::string twelveLines;
  for (int i = 0; i < 12; ++i) twelveLines += "p,1,2,3\r\n";
  auto zeroSpan = testing::kDefaultLandmarks;
  zeroSpan[2].x = zeroSpan[3].x = 0.0;
  const Case kCases[] = {
      {"short origin", 0, twelveLines,
       {"list", LibraryFile(0) + ": the origin file has 12 lines; landmark line 13 is missing"}},
      {"zero span", 0, testing::OriginFileText(zeroSpan),
       {"math", LibraryFile(0) + ": Floating point division by zero: the landmarks on lines 4 and 5 both have x = 0"}},
      {"bad source number", 5, "head\r\nS LD1,1,2,3\r\nS LD2,1,x2,3\r\nD PD1,1,2,3\r\n",
       {"conversion", LibraryFile(5) + ":3: 'x2' is not a valid floating point value"}},
      {"bad detector number", 16, "S LD1,1,2,3\r\nD PD1,1,2,\r\n",
       {"conversion", LibraryFile(16) + ":2: '' is not a valid floating point value"}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    FakeFileSystem caseFs;
    testing::WriteSyntheticLibrary(caseFs, kFolder);
    caseFs.files[LibraryFile(c.index)] = c.text;
    PositionFileContext caseCtx{caseFs, ansi, "."};
    StdPositionLibrary caseLibrary;
    EXPECT_EQ(CatchError([&] { caseLibrary.GetStdPOS3D(caseCtx, kFolder); }), c.error);
    for (int i = 0; i <= kSensorTypeCount; ++i)
      EXPECT_EQ(caseLibrary.StdPosAvailable[static_cast<size_t>(i)], i < c.index ? 1 : 0) << "flag " << i;
    for (int type = 1; type <= kSensorTypeCount; ++type)
      EXPECT_EQ(caseLibrary.Available(type), type < c.index) << "type " << type;
  }
}

TEST_F(StdLibraryTest, OthersFileNeedsTheOrigin) {
  // Read on its own, before any origin file, an others file gives nothing.
  EXPECT_EQ(library.sSetPOS3D(ctx, 2, LibraryFile(2)), 0);
  EXPECT_TRUE(library.StdSourceLists[2].empty());
  EXPECT_EQ(library.sSetPOS3D(ctx, 0, LibraryFile(0)), 1);
  library.StdPosAvailable[0] = 1;
  EXPECT_EQ(library.sSetPOS3D(ctx, 2, LibraryFile(2)), 1);
  EXPECT_EQ(library.StdSourceLists[2].size(), 6u);
  EXPECT_EQ(library.sSetPOS3D(ctx, 17, LibraryFile(2)), 0);
  EXPECT_EQ(library.sSetPOS3D(ctx, -1, LibraryFile(2)), 0);
}

TEST_F(StdLibraryTest, NoTypeOutsideTheSixteen) {
  ASSERT_EQ(Load().kind, "none");
  for (int type : {-1, 0, 17}) EXPECT_FALSE(library.Available(type));
}

TEST_F(StdLibraryTest, ReloadingGivesTheSameRows) {
  ASSERT_EQ(Load().kind, "none");
  Rows first = library.StdSourceLists[5];
  ASSERT_EQ(Load().kind, "none");
  EXPECT_EQ(library.StdSourceLists[5], first);
  EXPECT_EQ(library.StdLandmarkList.size(), 5u);
}

TEST_F(StdLibraryTest, SourceOrderFollowsTheLabels) {
  fs.files[LibraryFile(1)] = testing::OthersFileText(
      {{"LD6", {6, 0, 0}},
       {"LD5", {5, 0, 0}},
       {"LD4", {4, 0, 0}},
       {"LD4", {4, 0, 0}},  // repeated: one row
       {"LD3", {3, 0, 0}},
       {"LD2", {2, 0, 0}},
       {"LD1", {1, 0, 0}}},
      {{"PD2", {-2, 0, 0}}, {"PD1", {-1, 0, 0}}});
  ASSERT_EQ(Load().kind, "none");
  EXPECT_EQ(library.StdSourceLists[1],
            (Rows{"1.0000,0.0000,0.0000", "2.0000,0.0000,0.0000", "3.0000,0.0000,0.0000", "4.0000,0.0000,0.0000",
                  "5.0000,0.0000,0.0000", "6.0000,0.0000,0.0000"}));
  EXPECT_EQ(library.StdDetectorLists[1], (Rows{"-1.0000,0.0000,0.0000", "-2.0000,0.0000,0.0000"}));
}

TEST_F(StdLibraryTest, MismatchedOptodeCountIsStillRead) {
  fs.files[LibraryFile(2)] = testing::OthersFileText({{"LD1", {1, 0, 0}}}, {{"PD1", {2, 0, 0}}, {"PD2", {3, 0, 0}}});
  ASSERT_EQ(Load().kind, "none");
  EXPECT_TRUE(library.Available(2));
  EXPECT_EQ(library.StdSourceLists[2].size(), 1u);
  EXPECT_EQ(library.StdDetectorLists[2].size(), 2u);
}

TEST_F(StdLibraryTest, MoreThanFortyEntriesAreKept) {
  std::vector<testing::Optode> sources, detectors;
  for (int k = 1; k <= 45; ++k) {
    sources.push_back({"LD" + std::to_string(k), {double(k), 0, 0}});
    detectors.push_back({"PD" + std::to_string(k), {double(-k), 0, 0}});
  }
  fs.files[LibraryFile(5)] = testing::OthersFileText(sources, detectors);
  ASSERT_EQ(Load().kind, "none");
  EXPECT_EQ(library.StdSourceLists[5].size(), 45u);
  EXPECT_EQ(library.StdDetectorLists[5].size(), 45u);
}

}  // namespace
}  // namespace ordwell
