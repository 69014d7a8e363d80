#include <gtest/gtest.h>

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

// The subject's files as a user keeps them: a folder with "_" in its name, the others
// file named after the sensor type in its fourth "_" field.
const std::string kFolder = "/base/USR_POS3D/my_data";
const std::string kOrigin = kFolder + "/subject_mni_origin.csv";
const std::string kOthers = kFolder + "/name_mni_others_3x4_subject.csv";
const std::string kArAl = kFolder + "/AR_AL.txt";

class UserPositionsTest : public ::testing::Test {
 protected:
  UserPositionsTest() {
    fs.CreateDirectories(kFolder);
    fs.files[kArAl] = "150.0\r\n";
    fs.files[kOrigin] = testing::OriginFileText();
    fs.files[kOthers] = testing::SyntheticOthersFile(2);
  }

  int Set(int typ) { return user.uSetPOS3D(ctx, typ, kOrigin, kOthers); }
  CaughtError SetError(int typ) { return CatchError([&] { Set(typ); }); }

  FakeFileSystem fs;
  Charset ansi = Charset::Utf8();
  PositionFileContext ctx{fs, ansi, "."};
  UserPositions user;
};

TEST_F(UserPositionsTest, RowsOfTheOthersFileType) {
  ASSERT_EQ(Set(2), 1);
  EXPECT_EQ(user.UserArAlDistance, 150.0);
  EXPECT_EQ(user.UserScale, 1.0);
  ASSERT_EQ(user.UserSourceLists[2].size(), 6u);
  ASSERT_EQ(user.UserDetectorLists[2].size(), 6u);
  for (int k = 1; k <= 6; ++k) {
    EXPECT_EQ(user.UserSourceLists[2][static_cast<size_t>(k - 1)], Row3D(testing::SyntheticSource(2, k)));
    EXPECT_EQ(user.UserDetectorLists[2][static_cast<size_t>(k - 1)], Row3D(testing::SyntheticDetector(2, k)));
  }
  for (int type = 1; type <= kSensorTypeCount; ++type) {
    if (type != 2) {
      EXPECT_TRUE(user.UserSourceLists[static_cast<size_t>(type)].empty()) << type;
    }
  }
}

TEST_F(UserPositionsTest, SameDistanceAsTheLibraryGivesTheLibraryRows) {
  testing::WriteSyntheticLibrary(fs, "/base/STD_POS3D");
  StdPositionLibrary library;
  library.GetStdPOS3D(ctx, "/base/STD_POS3D");
  ASSERT_EQ(Set(2), 1);
  EXPECT_EQ(user.UserLandmarkList, library.StdLandmarkList);
  EXPECT_EQ(user.UserSourceLists[2], library.StdSourceLists[2]);
  EXPECT_EQ(user.UserDetectorLists[2], library.StdDetectorLists[2]);
}

TEST_F(UserPositionsTest, TwiceTheDistanceDoublesEveryCoordinate) {
  fs.files[kArAl] = "300.0";
  ASSERT_EQ(Set(2), 1);
  EXPECT_EQ(user.UserScale, 2.0);
  ASSERT_EQ(user.UserLandmarkList.size(), 5u);
  for (size_t k = 0; k < 5; ++k) EXPECT_EQ(user.UserLandmarkList[k], Row3D(testing::kDefaultLandmarks[k], 2.0));
  EXPECT_EQ(user.UserLandmarkList[2], "-150.0000,-37.0000,-100.0000");
  EXPECT_EQ(user.UserSourceLists[2][0], Row3D(testing::SyntheticSource(2, 1), 2.0));
}

TEST_F(UserPositionsTest, DistanceWithRegionalCommaOrPoint) {
  ctx.decimalSeparator = ",";
  for (const char* text : {" 1,5 ", "1.5"}) {
    fs.files[kArAl] = text;
    ASSERT_EQ(Set(2), 1) << text;
    EXPECT_EQ(user.UserArAlDistance, 1.5) << text;
    EXPECT_EQ(user.UserScale, 0.01) << text;
    EXPECT_EQ(user.UserLandmarkList[2], "-0.7500,-0.1850,-0.5000") << text;
  }
}

TEST_F(UserPositionsTest, SecondFileReplacesTheRowsOfItsType) {
  ASSERT_EQ(Set(2), 1);
  fs.files[kOthers] = testing::OthersFileText({{"LD1", {1, 2, 3}}}, {{"PD1", {4, 5, 6}}});
  ASSERT_EQ(Set(2), 1);
  EXPECT_EQ(user.UserSourceLists[2], Rows{"1.0000,2.0000,3.0000"});
  EXPECT_EQ(user.UserDetectorLists[2], Rows{"4.0000,5.0000,6.0000"});
  EXPECT_EQ(user.UserLandmarkList.size(), 5u);
}

TEST_F(UserPositionsTest, EmptyFilesGiveNothing) {
  ASSERT_EQ(Set(2), 1);
  const Rows sources = user.UserSourceLists[2], landmarks = user.UserLandmarkList;
  struct Case {
    std::string path;
    std::string text;
    bool landmarksMade;  // the origin file was read before the empty one
  };
  const Case kCases[] = {
      {kArAl, "", false},
      {kOrigin, "", false},
      {kOthers, "", true},
      {kOthers, "S LD1,1,2,3\r\n", true},  // no detector line
      {kOthers, "D PD1,1,2,3\r\n", true},  // no source line
  };
  for (const Case& c : kCases) {
    FakeFileSystem caseFs = fs;
    caseFs.files[c.path] = c.text;
    PositionFileContext caseCtx{caseFs, ansi, "."};
    UserPositions caseUser = user;
    caseUser.UserLandmarkList = {"previous"};
    EXPECT_EQ(caseUser.uSetPOS3D(caseCtx, 2, kOrigin, kOthers), 0) << c.path << " '" << c.text << "'";
    EXPECT_EQ(caseUser.UserSourceLists[2], sources) << c.path;
    EXPECT_EQ(caseUser.UserLandmarkList, c.landmarksMade ? landmarks : Rows{"previous"}) << c.path;
  }
}

TEST_F(UserPositionsTest, ErrorsNameFileAndLine) {
  struct Case {
    const char* name;
    std::string path;
    std::string text;
    CaughtError error;
  };
  const Case kCases[] = {
      {"distance with unit", kArAl, "150 mm\r\n",
       {"conversion", kArAl + ":1: '150 mm' is not a valid floating point value"}},
      {"distance on the second line", kArAl, "\r\n150.0\r\n",
       {"conversion", kArAl + ":1: '' is not a valid floating point value"}},
      {"short origin", kOrigin, "a,1,2,3\r\nb,1,2,3\r\n",
       {"list", kOrigin + ": the origin file has 2 lines; landmark line 3 is missing"}},
      {"bad origin number", kOrigin, "h\r\nNz,1,2,three\r\n",
       {"conversion", kOrigin + ":2: 'three' is not a valid floating point value"}},
      {"bad others number", kOthers, "S LD1,1,2,3\r\nD PD1,1,2,3\r\nD PD2,1,,3\r\n",
       {"conversion", kOthers + ":3: '' is not a valid floating point value"}},
  };
  for (const Case& c : kCases) {
    fs.files[kArAl] = "150.0";
    fs.files[kOrigin] = testing::OriginFileText();
    fs.files[kOthers] = testing::SyntheticOthersFile(2);
    fs.files[c.path] = c.text;
    EXPECT_EQ(SetError(2), c.error) << c.name;
  }
}

TEST_F(UserPositionsTest, MissingDistanceFileIsAFileError) {
  fs.files.erase(kArAl);
  CaughtError error = SetError(2);
  EXPECT_EQ(error.kind, "file");
  EXPECT_NE(error.message.find(kArAl), std::string::npos) << error.message;
  EXPECT_TRUE(user.UserSourceLists[2].empty());
}

TEST_F(UserPositionsTest, NoTypeTouchesNothing) {
  fs.files.erase(kArAl);  // not even looked for
  for (int typ : {0, -1, 17}) {
    EXPECT_EQ(SetError(typ).kind, "none");
    EXPECT_EQ(Set(typ), 0);
  }
  EXPECT_EQ(user.UserArAlDistance, 0.0);
  EXPECT_TRUE(user.UserLandmarkList.empty());
}

}  // namespace
}  // namespace ordwell
