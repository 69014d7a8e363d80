// The controls: start-up, the position mode, the user file buttons, the silent ends.
#include "form_fixture.h"

namespace ordwell::testing {
namespace {

class FormStateTest : public FormTest {};

TEST_F(FormStateTest, StartUpShowsStandardModeAndCreatesTemp) {
  Create();
  EXPECT_EQ(form->BaseDir(), "/base");
  EXPECT_TRUE(fs.DirectoryExists("/base/temp"));
  EXPECT_EQ(ui.positionMode, 0);
  EXPECT_TRUE(ui.Enabled(Button::RdBtn));
  EXPECT_TRUE(ui.Enabled(Button::ExitBtn));
  EXPECT_FALSE(ui.Enabled(Button::OrgBtn));
  EXPECT_FALSE(ui.Enabled(Button::OtherBtn));
  EXPECT_TRUE(ui.errors.empty());
  for (int p = 0; p < kPanelCount; ++p) EXPECT_EQ(ui.texts[p], "");
}

TEST_F(FormStateTest, StartUpGoesOnWhenTempCannotBeCreated) {
  fs.failCreate.insert("/base/temp");
  Create();
  EXPECT_TRUE(ui.errors.empty());
  EXPECT_TRUE(ui.Enabled(Button::RdBtn));
}

TEST_F(FormStateTest, StartUpErrorOfTheLibraryIsShownAndTheFormStillWorks) {
  fs.dirs.insert("/base/STD_POS3D");
  fs.files["/base/STD_POS3D/nfri_mni_origin.csv"] = "a\r\nb\r\n";  // fewer than 13 lines
  Create();
  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_NE(ui.errors[0].find("nfri_mni_origin.csv"), std::string::npos) << ui.errors[0];
  EXPECT_EQ(form->StartupError(), ui.errors[0]);
  EXPECT_TRUE(ui.Enabled(Button::RdBtn));
}

TEST_F(FormStateTest, PositionModeSwitchesButtonsAndClearsUserPanels) {
  Create();
  form->RG_POSClick(1);
  EXPECT_FALSE(ui.Enabled(Button::RdBtn));
  EXPECT_TRUE(ui.Enabled(Button::OrgBtn));
  EXPECT_TRUE(ui.Enabled(Button::OtherBtn));

  fs.files["/u/s_mni_origin_1.csv"] = "x";
  fs.files["/u/s_mni_others_3x4T_01.csv"] = "x";
  ui.Answer(Dialog::OpenDialog2, "/u/s_mni_origin_1.csv");
  form->OrgBtnClick();
  EXPECT_FALSE(ui.Enabled(Button::RdBtn)) << "others file still missing";
  ui.Answer(Dialog::OpenDialog3, "/u/s_mni_others_3x4T_01.csv");
  form->OtherBtnClick();
  EXPECT_TRUE(ui.Enabled(Button::RdBtn));
  EXPECT_EQ(form->Text(Panel::P_TYP1), "3x4T");
  EXPECT_EQ(ui.dialogsShown.back().second, "/base/USR_POS3D");

  form->RG_POSClick(0);
  for (Panel p : {Panel::P_ORG, Panel::P_OTHER, Panel::P_TYP, Panel::P_TYP1, Panel::P_MSG})
    EXPECT_EQ(form->Text(p), "") << PanelName(p);
  EXPECT_TRUE(ui.Enabled(Button::RdBtn));
  EXPECT_FALSE(ui.Enabled(Button::OrgBtn));

  form->RG_POSClick(1);
  EXPECT_FALSE(ui.Enabled(Button::RdBtn)) << "every entry into user mode starts with no files";
}

TEST_F(FormStateTest, OthersDialogCancelledKeepsPathButClearsType) {
  Create();
  form->RG_POSClick(1);
  fs.files["/u/a_mni_others_3x8_1.csv"] = "x";
  ui.Answer(Dialog::OpenDialog3, "/u/a_mni_others_3x8_1.csv");
  form->OtherBtnClick();
  EXPECT_EQ(form->Text(Panel::P_TYP1), "3x8");
  ui.Answer(Dialog::OpenDialog3, std::nullopt);
  form->OtherBtnClick();
  EXPECT_EQ(form->Text(Panel::P_TYP1), "");
  EXPECT_EQ(form->Text(Panel::P_OTHER), "/u/a_mni_others_3x8_1.csv");
  EXPECT_FALSE(ui.Enabled(Button::RdBtn)) << "cancelling never changes the read button";
}

TEST_F(FormStateTest, OthersFileNameTypeField) {
  struct Case {
    const char* name;
    const char* typ1;
  } cases[] = {
      {"subj_mni_others_3x4T_01.csv", "3x4T"},
      {"subj_mni_others_3x4.csv", "3x4.csv"},
      {"subj_others.csv", ""},
  };
  Create();
  form->RG_POSClick(1);
  for (const Case& c : cases) {
    std::string path = std::string("/my_data/") + c.name;  // "_" in the folder plays no role
    fs.files[path] = "x";
    ui.Answer(Dialog::OpenDialog3, path);
    form->OtherBtnClick();
    EXPECT_EQ(form->Text(Panel::P_TYP1), c.typ1) << c.name;
  }
}

TEST_F(FormStateTest, SilentEndsOfTheReadCommand) {
  Create();
  Recording r = SmallRecording();
  std::string text = r.Text();
  struct Case {
    const char* path;
    std::string content;
    ReadOutcome outcome;
  } cases[] = {
      {"/base/run1.DATX", text, ReadOutcome::kNotDataFile},
      {"/base/run1.datx.bak", text, ReadOutcome::kNotDataFile},
      {"/base/noext", text, ReadOutcome::kNotDataFile},
      {"/base/short.datx", Recording{.channelList = "1", .rows = {}}.Text(), ReadOutcome::kTooShort},
  };
  for (const Case& c : cases) {
    Read(c.path, c.content);
    EXPECT_EQ(form->LastOutcome(), c.outcome) << c.path;
    EXPECT_EQ(form->Text(Panel::P_FILE), "") << c.path;
    EXPECT_TRUE(ui.errors.empty()) << c.path;
    EXPECT_FALSE(Has("data.csv")) << c.path;
  }
  ui.Answer(Dialog::OpenDialog1, std::nullopt);
  form->RdBtnClick();
  EXPECT_EQ(form->LastOutcome(), ReadOutcome::kCancelled);
  EXPECT_EQ(ui.dialogsShown.back().second, "/base");
  EXPECT_TRUE(launcher.started.empty());
}

TEST_F(FormStateTest, MissingDataFileIsAnErrorNamingIt) {
  Create();
  ui.Answer(Dialog::OpenDialog1, "/base/gone.datx");
  form->RdBtnClick();
  EXPECT_EQ(form->LastOutcome(), ReadOutcome::kFailed);
  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_NE(ui.errors[0].find("/base/gone.datx"), std::string::npos);
  EXPECT_EQ(form->Text(Panel::P_FILE), "");
}

TEST_F(FormStateTest, SensorTypeErrors) {
  Create();
  Recording unknown = SmallRecording();
  unknown.sensorType = "3x4t";  // case differs: names no type
  Read("/base/a.datx", unknown.Text());
  EXPECT_EQ(form->LastOutcome(), ReadOutcome::kSensorTypeError);
  EXPECT_EQ(form->Text(Panel::P_MSG), "Sensor Type Error");
  EXPECT_EQ(form->Text(Panel::P_TYP), "3x4t");
  EXPECT_EQ(form->Text(Panel::P_FILE), "/base/a.datx");
  EXPECT_FALSE(Has("data.csv"));

  form->RG_POSClick(1);
  fs.files["/u/a_mni_others_3x8_1.csv"] = "x";
  ui.Answer(Dialog::OpenDialog3, "/u/a_mni_others_3x8_1.csv");
  form->OtherBtnClick();
  Read("/base/b.datx", SmallRecording().Text());
  EXPECT_EQ(form->Text(Panel::P_MSG), "Sensor Type Error");
  EXPECT_EQ(form->Text(Panel::P_TYP), "3x4");
  EXPECT_FALSE(Has("data.csv"));
  EXPECT_TRUE(launcher.started.empty());
}

TEST_F(FormStateTest, TooManyActiveSlotsForThePairTableIsRefused) {
  Create();
  Recording r;
  r.sensorType = "2x3W";  // 17 slots, 14 pairs
  r.channelList = "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,0,0";
  r.rows = {NumberedRow("0", 0, 48)};
  Read("/base/w.datx", r.Text());
  EXPECT_EQ(form->LastOutcome(), ReadOutcome::kFailed);
  EXPECT_NE(form->LastError().find("15"), std::string::npos) << form->LastError();
  EXPECT_NE(form->LastError().find("14"), std::string::npos) << form->LastError();
  EXPECT_FALSE(Has("data.csv"));
}

}  // namespace
}  // namespace ordwell::testing
