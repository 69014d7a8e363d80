// The converter run: the poll, the copy into temp, aborts, time-outs and failures.
#include "form_fixture.h"

namespace ordwell::testing {
namespace {

class FormConverterTest : public FormTest {
 protected:
  void Convert(const std::string& name = "/base/small.datx") { Read(name, SmallRecording().Text()); }
};

TEST_F(FormConverterTest, OutputInTheThirdWaitIsCopiedAboutFourSecondsAfterTheStart) {
  Create();
  bool hourglassSeen = false, readButtonOff = false;
  ui.onProcessMessages = [&] {
    hourglassSeen |= ui.cursor == CursorShape::Hourglass;
    readButtonOff |= !ui.Enabled(Button::RdBtn);
    EXPECT_EQ(ui.Text(Panel::P_MSG), "Snirf Conversion Start");
  };
  Convert();
  EXPECT_EQ(form->LastOutcome(), ReadOutcome::kConverted);
  EXPECT_EQ(form->Text(Panel::P_MSG), "Snirf Conversion End");
  EXPECT_EQ(form->Text(Panel::P_SNIRF), "/base/temp/small.snirf");
  EXPECT_EQ(fs.files["/base/temp/small.snirf"], "SNIRF of 1");
  EXPECT_TRUE(fs.FileExists(kOutput)) << "the output stays in the base folder";
  EXPECT_GE(clock.slept, 4000u);
  EXPECT_LE(clock.slept, 4100u);
  EXPECT_TRUE(hourglassSeen);
  EXPECT_TRUE(readButtonOff);
  EXPECT_EQ(ui.cursor, CursorShape::Default);
  EXPECT_TRUE(ui.Enabled(Button::RdBtn));
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0].executable, "/base/Brenlow");
  EXPECT_EQ(launcher.started[0].workingDirectory, "/base");
}

TEST_F(FormConverterTest, DestinationTakesTheNameWithoutItsLastExtension) {
  Create();
  fs.files["/base/temp/a.b.snirf"] = "older";
  Convert("/base/a.b.datx");
  EXPECT_EQ(form->Text(Panel::P_SNIRF), "/base/temp/a.b.snirf");
  EXPECT_EQ(fs.files["/base/temp/a.b.snirf"], "SNIRF of 1");
}

TEST_F(FormConverterTest, OldOutputIsDeletedBeforeTheConverterStarts) {
  Create();
  fs.files[kOutput] = "stale";
  launcher.behaviour = [](uint32_t) -> std::optional<int> { return std::nullopt; };
  // The converter never writes: the stale file must not be taken for its output.
  Convert();
  EXPECT_EQ(form->LastOutcome(), ReadOutcome::kFailed);
  EXPECT_FALSE(fs.files.count("/base/temp/small.snirf"));
}

TEST_F(FormConverterTest, ExitDuringTheWaitClearsThePanelsAtTheNextPoll) {
  Create();
  int pumps = 0;
  launcher.behaviour = [](uint32_t) -> std::optional<int> { return std::nullopt; };
  ui.onProcessMessages = [&] {
    if (++pumps == 1500) form->ExitBtnClick();
  };
  Convert();
  EXPECT_EQ(form->LastOutcome(), ReadOutcome::kAborted);
  EXPECT_TRUE(ui.closed);
  for (Panel p : {Panel::P_MSG, Panel::P_FILE, Panel::P_SNIRF}) EXPECT_EQ(form->Text(p), "") << PanelName(p);
  EXPECT_EQ(ui.cursor, CursorShape::Default);
  EXPECT_EQ(launcher.kills, 1);
  EXPECT_LE(clock.slept, 2100u) << "the wait ends at the poll after the click";
  EXPECT_FALSE(fs.files.count("/base/temp/small.snirf"));
  EXPECT_TRUE(ui.errors.empty());
}

TEST_F(FormConverterTest, ConverterThatNeverAnswersTimesOutAfterAHundredPolls) {
  Create();
  launcher.behaviour = [](uint32_t) -> std::optional<int> { return std::nullopt; };
  Convert();
  EXPECT_EQ(form->LastOutcome(), ReadOutcome::kFailed);
  EXPECT_EQ(form->LastError(), "The converter gave no output within 100 s");
  EXPECT_GE(clock.slept, 100u * 1001u);
  EXPECT_LE(clock.slept, 100u * 1001u + 100u);
  EXPECT_EQ(form->Text(Panel::P_MSG), "");
  EXPECT_EQ(form->Text(Panel::P_SNIRF), "");
  EXPECT_EQ(ui.cursor, CursorShape::Default);
  EXPECT_EQ(launcher.kills, 1);
}

TEST_F(FormConverterTest, ConverterEndingWithoutOutputIsReportedAtTheNextPoll) {
  Create();
  launcher.behaviour = [](uint32_t elapsed) -> std::optional<int> {
    return elapsed >= 1500 ? std::optional<int>(1) : std::nullopt;
  };
  launcher.errorOutput = "Brenlow: data.csv:3: expected 30 values\n";
  Convert();
  EXPECT_EQ(form->LastOutcome(), ReadOutcome::kFailed);
  EXPECT_EQ(form->LastError(),
            "The converter exited with status 1 without writing \"/base/tavik_data_3d.snirf\": Brenlow: data.csv:3: "
            "expected 30 values");
  EXPECT_LE(clock.slept, 2100u);
}

TEST_F(FormConverterTest, StartFailuresAreErrorsAtOnce) {
  Create();
  fs.files.erase("/base/Brenlow");
  Convert();
  EXPECT_EQ(form->LastError(), "The converter \"/base/Brenlow\" is missing");
  EXPECT_LE(clock.slept, 100u);

  fs.files["/base/Brenlow"] = "x";
  launcher.failStart = true;
  Convert();
  EXPECT_NE(form->LastError().find("Cannot start the converter \"/base/Brenlow\""), std::string::npos);
  EXPECT_EQ(ui.cursor, CursorShape::Default);
}

TEST_F(FormConverterTest, UndeletableOldOutputStopsBeforeTheStart) {
  Create();
  fs.files[kOutput] = "old";
  fs.failDelete.insert(kOutput);
  Convert();
  EXPECT_EQ(form->LastError(), "Cannot delete the earlier converter output \"/base/tavik_data_3d.snirf\"");
  EXPECT_TRUE(launcher.started.empty());
}

TEST_F(FormConverterTest, FailedCopyKeepsTheEarlierCopyAndSaysNothingOfSuccess) {
  Create();
  fs.files["/base/temp/small.snirf"] = "GOOD";
  launcher.behaviour = [this](uint32_t elapsed) -> std::optional<int> {
    if (elapsed < 1000) return std::nullopt;
    fs.files[kOutput] = "A NEW SNIRF THAT WILL NOT FIT";
    fs.writeBudget = 5;  // the disk fills up during the copy
    return 0;
  };
  Convert();
  EXPECT_EQ(form->LastOutcome(), ReadOutcome::kFailed);
  EXPECT_NE(form->LastError().find("No space left"), std::string::npos) << form->LastError();
  EXPECT_EQ(fs.files["/base/temp/small.snirf"], "GOOD");
  for (const auto& [path, content] : fs.files) EXPECT_EQ(path.find(".part-"), std::string::npos) << path;
  EXPECT_NE(form->Text(Panel::P_MSG), "Snirf Conversion End");
  EXPECT_EQ(form->Text(Panel::P_SNIRF), "");
}

TEST_F(FormConverterTest, MissingTempFolderMakesTheCopyFail) {
  fs.failCreate.insert("/base/temp");
  Create();
  Convert();
  EXPECT_EQ(form->LastOutcome(), ReadOutcome::kFailed);
  EXPECT_EQ(form->Text(Panel::P_SNIRF), "");
}

TEST_F(FormConverterTest, ReadCommandDuringTheWaitIsRefused) {
  Create();
  bool clicked = false;
  ui.onProcessMessages = [&] {
    if (!clicked) {
      clicked = true;
      form->RdBtnClick();
      EXPECT_EQ(form->LastOutcome(), ReadOutcome::kRefused);
    }
  };
  Convert();
  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_NE(ui.errors[0].find("still waiting"), std::string::npos);
  EXPECT_EQ(form->LastOutcome(), ReadOutcome::kConverted);
  EXPECT_EQ(launcher.started.size(), 1u);
}

TEST_F(FormConverterTest, PositionModeSwitchDuringTheWaitDoesNotEnableReading) {
  Create();
  ui.onProcessMessages = [&] {
    form->RG_POSClick(0);
    EXPECT_FALSE(ui.Enabled(Button::RdBtn));
  };
  Convert();
  EXPECT_TRUE(ui.Enabled(Button::RdBtn));
}

// The command line waits for the converter to end and checks how it ended.
TEST_F(FormConverterTest, WaitForExitMode) {
  struct Case {
    const char* name;
    FakeBehaviour behaviour;
    ReadOutcome outcome;
    const char* error;
  } cases[] = {
      {"ends well", WritesOutputAfter(300), ReadOutcome::kConverted, ""},
      {"fails", [](uint32_t) { return std::optional<int>(1); }, ReadOutcome::kFailed,
       "The converter exited with status 1: Brenlow: stim.csv:1: bad row"},
      {"ends without output", [](uint32_t) { return std::optional<int>(0); }, ReadOutcome::kFailed,
       "The converter ended without writing \"/base/tavik_data_3d.snirf\": Brenlow: stim.csv:1: bad row"},
      {"crashes", [](uint32_t) { return std::optional<int>(128 + 11); }, ReadOutcome::kFailed,
       "The converter was killed by signal 11: Brenlow: stim.csv:1: bad row"},
      {"never ends", [](uint32_t) { return std::optional<int>(); }, ReadOutcome::kFailed,
       "The converter did not finish within 100 s"},
  };
  Create(ConverterWaitMode::kWaitForExit);
  for (Case& c : cases) {
    launcher.behaviour = c.behaviour;
    launcher.errorOutput = c.outcome == ReadOutcome::kConverted ? "" : "Brenlow: stim.csv:1: bad row\n";
    fs.files.erase(kOutput);
    Convert();
    EXPECT_EQ(form->LastOutcome(), c.outcome) << c.name;
    EXPECT_EQ(form->LastError(), c.error) << c.name;
  }
  EXPECT_EQ(launcher.kills, 1);
}

}  // namespace
}  // namespace ordwell::testing
