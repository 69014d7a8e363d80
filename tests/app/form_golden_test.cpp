// A small recording through the whole read command: the exact bytes of every file.
#include "form_fixture.h"

namespace ordwell::testing {
namespace {

class FormGoldenTest : public FormTest {};

// Active channels 1, 3..16 of the small recording; channel c reads fields 2c and 2c+1.
std::string DataLine(int base) {
  std::string line;
  for (int c = 1; c <= 16; ++c) {
    if (c == 2) continue;
    line += std::to_string(base + 2 * c) + "," + std::to_string(base + 2 * c + 1) + ",";
  }
  return line + "\r\n";  // the trailing comma stays: slot 17 is off
}

std::string MeasurementList() {
  // Rows 1..15 of the 3x4 pair table: taken by active ordinal, slot 2 being off.
  const int pairs[15][2] = {{1, 2}, {3, 2}, {1, 1}, {2, 2}, {3, 3}, {2, 1}, {2, 3}, {4, 1},
                            {2, 5}, {6, 3}, {4, 5}, {6, 5}, {4, 4}, {5, 5}, {6, 6}};
  std::string text;
  for (const auto& p : pairs)
    for (int w = 1; w <= 2; ++w)
      text += std::to_string(p[0]) + "\r\n" + std::to_string(p[1]) + "\r\n" + std::to_string(w) +
              "\r\n0\r\n0\r\n-1\r\nnone\r\nnone\r\n-1\r\n0\r\n0\r\n-1\r\n-1\r\n-1\r\n";
  return text;
}

TEST_F(FormGoldenTest, EveryFileOfTheSetByteForByte) {
  Create();
  Read("/base/small.datx", SmallRecording().Text());
  ASSERT_TRUE(ui.errors.empty()) << ui.errors[0];
  EXPECT_EQ(form->LastOutcome(), ReadOutcome::kConverted);

  EXPECT_EQ(DataLine(1000), "1002,1003,1006,1007,1008,1009,1010,1011,1012,1013,1014,1015,1016,1017,1018,1019,"
                            "1020,1021,1022,1023,1024,1025,1026,1027,1028,1029,1030,1031,1032,1033,\r\n");
  EXPECT_EQ(File("data.csv"), DataLine(1000) + DataLine(2000) + DataLine(3000) + DataLine(4000));
  EXPECT_EQ(File("tmlst.csv"), "0.00000\r\n0.08192\r\n0.16384\r\n0.24576\r\n");
  EXPECT_EQ(File("meslst.csv"), MeasurementList());
  EXPECT_EQ(File("metalst.csv"), "small\r\n2023-05-12\r\n08:09:10\r\nmm\r\ns\r\nHz\r\n");
  EXPECT_EQ(File("sourcePos2D.csv"), "30.0,90.0\r\n60.0,60.0\r\n30.0,30.0\r\n90.0,90.0\r\n120.0,60.0\r\n90.0,30.0\r\n");
  EXPECT_EQ(File("detectorPos2D.csv"), "60.0,90.0\r\n30.0,60.0\r\n60.0,30.0\r\n120.0,90.0\r\n90.0,60.0\r\n120.0,30.0\r\n");
  EXPECT_EQ(File("stim.csv"), "0.08192,0.16384,1.0\r\n");
  EXPECT_FALSE(Has("landPos3D.csv"));
  EXPECT_FALSE(Has("sPos3D.csv"));
  EXPECT_FALSE(Has("dPos3D.csv"));
  EXPECT_EQ(fs.files["/base/temp/small.snirf"], "SNIRF of 1");
}

TEST_F(FormGoldenTest, Utf8LocaleLeadsEveryFileWithTheMarkAndReplacesNothing) {
  Create(ConverterWaitMode::kPollForOutput, Charset::Utf8());
  Recording r = SmallRecording();
  r.channelList = "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0";  // no channel: empty data lines, empty list
  r.mode = "none";
  Read("/base/Probandin-\xC3\xBC.datx", r.Text());
  EXPECT_EQ(File("data.csv"), "\xEF\xBB\xBF\r\n\r\n\r\n\r\n");
  EXPECT_EQ(File("meslst.csv"), "\xEF\xBB\xBF");
  EXPECT_EQ(File("metalst.csv"), "\xEF\xBB\xBFProbandin-\xC3\xBC\r\n2023-05-12\r\n08:09:10\r\nmm\r\ns\r\nHz\r\n");
  // No mark interval: the default row, 4 rows at the fast period.
  EXPECT_EQ(File("stim.csv"), "\xEF\xBB\xBF" "5.0,-9.0,1.0\r\n");
}

TEST_F(FormGoldenTest, AsciiLocaleWritesQuestionMarksForWhatItCannotHold) {
  Create();
  Read("/base/Probandin-\xC3\xBC.datx", SmallRecording().Text());
  EXPECT_EQ(File("metalst.csv").substr(0, 13), "Probandin-?\r\n");
}

TEST_F(FormGoldenTest, DatFileWithNegativeChannelGetsAZeroColumn) {
  Create();
  Recording r;
  r.dat = true;
  r.sampling = "FASTEST";  // begins with FAST
  r.channelList = "3,-1,1,0,0,0,0,0,0,0,0,0,0,0,0,0";
  r.rows = {NumberedRow("0", 100, 48), NumberedRow("0", 200, 48)};
  Read("/base/d.dat", r.Text());
  ASSERT_TRUE(ui.errors.empty()) << ui.errors[0];
  EXPECT_EQ(File("data.csv"), "106,107,0,0,102,103,\r\n206,207,0,0,202,203,\r\n");
  EXPECT_EQ(File("tmlst.csv"), "0.00000\r\n0.08192\r\n");
  // 2x6 pairs 1-1, 1-2, 2-1 for the three active slots.
  std::string list = File("meslst.csv");
  EXPECT_EQ(list.substr(0, 9), "1\r\n1\r\n1\r\n");
  EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 3 * 28);
}

TEST_F(FormGoldenTest, MarkErrorEndsTheCommandBeforeAnyFile) {
  Create();
  Recording r = SmallRecording();
  r.rows.push_back("");  // an empty last line has no mark
  Read("/base/bad.datx", r.Text());
  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_EQ(ui.errors[0], "/base/bad.datx:46: '$' is not a valid integer value");
  EXPECT_FALSE(Has("data.csv"));
  EXPECT_TRUE(launcher.started.empty());
}

TEST_F(FormGoldenTest, StimulusStateStartsAnewForEveryConversion) {
  Create();
  Recording open = SmallRecording();
  open.rows = {NumberedRow("0", 0, 48), NumberedRow("1", 0, 48)};  // an interval left open
  Read("/base/one.datx", open.Text());
  Recording close = SmallRecording();
  close.rows = {NumberedRow("0", 0, 48), NumberedRow("0", 0, 48), NumberedRow("2", 0, 48)};
  Read("/base/two.datx", close.Text());
  EXPECT_EQ(File("stim.csv"), "0.00000,0.16384,1.0\r\n");
}

TEST_F(FormGoldenTest, ThreeDFilesOfAnEarlierConversionAreRemoved) {
  Create();
  for (const char* name : {"landPos3D.csv", "sPos3D.csv", "dPos3D.csv"}) fs.files[std::string("/base/") + name] = "old";
  Read("/base/small.datx", SmallRecording().Text());
  EXPECT_EQ(form->LastOutcome(), ReadOutcome::kConverted);
  EXPECT_FALSE(Has("landPos3D.csv"));
  EXPECT_FALSE(Has("sPos3D.csv"));
  EXPECT_FALSE(Has("dPos3D.csv"));
}

TEST_F(FormGoldenTest, ThreeDFileThatCannotBeRemovedStopsBeforeTheConverter) {
  Create();
  fs.files["/base/dPos3D.csv"] = "old";
  fs.failDelete.insert("/base/dPos3D.csv");
  Read("/base/small.datx", SmallRecording().Text());
  EXPECT_EQ(form->LastOutcome(), ReadOutcome::kFailed);
  EXPECT_NE(form->LastError().find("/base/dPos3D.csv"), std::string::npos);
  EXPECT_FALSE(Has("stim.csv"));
  EXPECT_TRUE(launcher.started.empty());
}

}  // namespace
}  // namespace ordwell::testing
