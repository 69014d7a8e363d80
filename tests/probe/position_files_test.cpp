#include "probe/position_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/errors.h"
#include "caught_error.h"
#include "synthetic_library.h"

namespace ordwell {
namespace {

using testing::CatchError;
using testing::CaughtError;
using testing::kDefaultLandmarks;
using testing::OriginFileText;
using testing::Xyz;
using Rows = std::vector<std::string>;

TEST(RewriteLabel, LabelsBecomeSortKeys) {
  struct Case {
    const char* entry;
    char letter;
    const char* rewritten;
  };
  const Case kCases[] = {
      {"LD3,1,2,3", 'L', "03,1,2,3"},
      {"PD3,1,2,3", 'P', "03,1,2,3"},
      {"LD12,1,2,3", 'L', "012,1,2,3"},
      {"2LD3,1,2,3", 'L', "23,1,2,3"},
      {"2PD3,1,2,3", 'P', "23,1,2,3"},
      {"PD3,1,2,3", 'L', "P,1,2,3"},  // the letter of the other kind is not the test letter
      {"Lx9", 'L', "09"},             // the two characters go whatever they are
      {"L", 'L', "0"},
      {"2L", 'L', "2"},
      {"7", 'P', "7"},
      {"L\xC3\xA9" "5", 'L', "05"},         // characters count as text characters, not bytes
      {"4\xC3\xA9\xC3\xA8" "5", 'L', "45"},
  };
  for (const Case& c : kCases) EXPECT_EQ(RewriteLabel(c.entry, c.letter), c.rewritten) << c.entry;
}

std::vector<std::string> Texts(const SortedEntryList& list) {
  std::vector<std::string> texts;
  for (const auto& e : list.entries()) texts.push_back(e.text);
  return texts;
}

TEST(ReadOthersEntries, SourceAndDetectorLines) {
  TextLines lines(
      "S LD2,2,0,0\n"
      "D PD1,-1,0,0\n"
      "X LD1,1,0,0 PD\n"     // "LD" and "PD": a source
      "y ld3,3,0,0\n"        // lower case: neither
      "D  PD2,-2,0,0\n"      // two blanks: the entry field is empty
      "LD\n"                 // no entry at all
      "S LD2,2,0,0\n"        // repeated word for word
      "S Ld4 LD\n"           // entry "Ld4" of a source line: "L" is the test letter
      "D PD0,9,9,9 LD\n");   // a source, since it has "LD": "P" is not the test letter
  OthersEntries found = ReadOthersEntries(lines);
  EXPECT_EQ(Texts(found.sources), (Rows{"01,1,0,0", "02,2,0,0", "04", "P,9,9,9"}));
  EXPECT_EQ(Texts(found.detectors), (Rows{"01,-1,0,0"}));
  EXPECT_EQ(found.sources.entries()[0].line, 3);
  EXPECT_EQ(found.sources.entries()[1].line, 1);
}

TEST(ReadOriginLandmarks, RowsOfTheFiveLandmarksAtScaleOne) {
  TextLines lines(OriginFileText());
  double scale = 0.0;
  Rows rows{"stale row"};
  ReadOriginLandmarks(lines, "/lib/origin.csv", ".", 150.0, scale, rows);
  EXPECT_EQ(scale, 1.0);
  EXPECT_EQ(rows, (Rows{"0.0000,84.5000,-42.2500", "0.0000,-112.0000,-30.7500", "-75.0000,-18.5000,-50.0000",
                        "75.0000,-18.2500,-49.5000", "0.5000,-14.0000,98.7500"}));
}

TEST(ReadOriginLandmarks, ScaleIsTheDistanceOverTheSpanOfArAndAl) {
  struct Case {
    double arX, alX, distance, scale;
  };
  const Case kCases[] = {
      {-75.0, 75.0, 150.0, 1.0}, {-60.0, 90.0, 150.0, 1.0}, {60.0, 90.0, 150.0, 1.0},
      {-75.0, 75.0, 300.0, 2.0}, {-30.0, 45.0, 150.0, 2.0}, {0.0, 75.0, 150.0, 2.0},
  };
  for (const Case& c : kCases) {
    auto landmarks = kDefaultLandmarks;
    landmarks[2].x = c.arX;
    landmarks[3].x = c.alX;
    double scale = 0.0;
    Rows rows;
    ReadOriginLandmarks(TextLines(OriginFileText(landmarks)), "o.csv", ".", c.distance, scale, rows);
    EXPECT_EQ(scale, c.scale) << c.arX << " " << c.alX << " " << c.distance;
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[2], testing::Row3D(landmarks[2], c.scale));
  }
}

TEST(ReadOriginLandmarks, RegionalCommaAndPointReadAlike) {
  // Fields are split at ",", so only the point can stand in a field; it must still be
  // read when the regional separator is the comma.
  double scale = 0.0;
  Rows rows;
  ReadOriginLandmarks(TextLines(OriginFileText()), "o.csv", ",", 150.0, scale, rows);
  EXPECT_EQ(scale, 1.0);
  EXPECT_EQ(rows[0], "0.0000,84.5000,-42.2500");
}

// Which error, with what message, for a broken origin file; every message names the
// file and, where one line is to blame, that line.
TEST(ReadOriginLandmarks, ErrorsNameFileAndLine) {
  auto withLine = [](size_t index, const std::string& text) {
    std::string file;
    TextLines base(OriginFileText());
    for (size_t i = 0; i < base.size(); ++i) file += (i == index ? text : std::string(base[i])) + "\n";
    return file;
  };
  std::string twelveLines;
  for (int i = 0; i < 12; ++i) twelveLines += "p,1,2,3\n";
  auto zeroSpan = kDefaultLandmarks;
  zeroSpan[2].x = 0.0;
  zeroSpan[3].x = -0.0;
  auto tinySpan = kDefaultLandmarks;
  tinySpan[2].x = -1e-300;
  tinySpan[3].x = 1e-300;
  struct Case {
    const char* name;
    std::string text;
    double distance;
    CaughtError error;
  };
  const Case kCases[] = {
      {"short", twelveLines, 150.0,
       {"list", "o.csv: the origin file has 12 lines; landmark line 13 is missing"}},
      {"empty field", withLine(2, "Iz,1,2"), 150.0, {"conversion", "o.csv:3: '' is not a valid floating point value"}},
      {"word", withLine(12, "Cz,1,abc,3"), 150.0,
       {"conversion", "o.csv:13: 'abc' is not a valid floating point value"}},
      {"other separator", withLine(1, "Nz,1;5,2,3"), 150.0,
       {"conversion", "o.csv:2: '1;5' is not a valid floating point value"}},
      {"zero span", OriginFileText(zeroSpan), 150.0,
       {"math", "o.csv: Floating point division by zero: the landmarks on lines 4 and 5 both have x = 0"}},
      {"scale overflow", OriginFileText(tinySpan), 1e300,
       {"math", "o.csv: Floating point overflow in the scale of the landmarks on lines 4 and 5"}},
      {"row overflow", withLine(1, "Nz,1e308,0,0"), 300.0, {"math", "o.csv:2: Floating point overflow"}},
  };
  for (const Case& c : kCases) {
    double scale = 7.0;
    Rows rows;
    EXPECT_EQ(CatchError([&] { ReadOriginLandmarks(TextLines(c.text), "o.csv", ".", c.distance, scale, rows); }),
              c.error)
        << c.name;
  }
}

TEST(SetOptodeRows, ScaledRowsInSortedOrderOrNothing) {
  Rows sources{"old source"}, detectors{"old detector"};
  TextLines onlySources("S LD1,1,2,3\nS LD2,4,5,6\n");
  EXPECT_FALSE(SetOptodeRows(onlySources, "t.csv", ".", 2.0, sources, detectors));
  EXPECT_EQ(sources, Rows{"old source"});
  EXPECT_EQ(detectors, Rows{"old detector"});

  TextLines both("S LD2,4,5,6\nD PD1,-1,-2,-3.125\nS LD1,1,2,3\n");
  EXPECT_TRUE(SetOptodeRows(both, "t.csv", ".", 2.0, sources, detectors));
  EXPECT_EQ(sources, (Rows{"2.0000,4.0000,6.0000", "8.0000,10.0000,12.0000"}));
  EXPECT_EQ(detectors, (Rows{"-2.0000,-4.0000,-6.2500"}));
}

TEST(SetOptodeRows, BadNumbersNameTheirLine) {
  Rows sources, detectors;
  TextLines shortLine("header\nS LD1,1,2,3\nD PD1,1,2\nS LD2,1,2,3\n");
  EXPECT_EQ(CatchError([&] { SetOptodeRows(shortLine, "/u/others.csv", ".", 1.0, sources, detectors); }),
            (CaughtError{"conversion", "/u/others.csv:3: '' is not a valid floating point value"}));
  TextLines huge("S LD1,1e308,2,3\nD PD1,1,2,3\n");
  EXPECT_EQ(CatchError([&] { SetOptodeRows(huge, "/u/others.csv", ".", 4.0, sources, detectors); }),
            (CaughtError{"math", "/u/others.csv:1: Floating point overflow"}));
}

}  // namespace
}  // namespace ordwell
