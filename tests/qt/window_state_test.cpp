// The controls' states through real clicks: start-up, the position mode, the user
// file buttons and their dialogs.
#include "window_fixture.h"

namespace ordwell::testing {
namespace {

class WindowStateTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    fs.files[kOrigin] = "x";
    fs.files[kOthers] = "x";
    OpenWindow();
  }

  struct Buttons {
    bool read, exit, origin, others;
  };
  void ExpectButtons(Buttons b) {
    EXPECT_EQ(Usable(Button::RdBtn), b.read);
    EXPECT_EQ(Usable(Button::ExitBtn), b.exit);
    EXPECT_EQ(Usable(Button::OrgBtn), b.origin);
    EXPECT_EQ(Usable(Button::OtherBtn), b.others);
  }

  void ChooseUserFiles() {
    dialogs.Answer(Dialog::OpenDialog2, kOrigin);
    Click(Button::OrgBtn);
    dialogs.Answer(Dialog::OpenDialog3, kOthers);
    Click(Button::OtherBtn);
  }

  static constexpr const char* kOrigin = "/base/USR_POS3D/subj_mni_origin_01.csv";
  static constexpr const char* kOthers = "/base/USR_POS3D/subj_mni_others_3x4_01.csv";
};

TEST_F(WindowStateTest, StartUpShowsStandardModeWithEmptyPanels) {
  EXPECT_TRUE(Selected(0));
  EXPECT_FALSE(Selected(1));
  ExpectButtons({true, true, false, false});
  for (int p = 0; p < kPanelCount; ++p) EXPECT_EQ(Shown(Panel(p)), "") << PanelName(Panel(p));
  EXPECT_TRUE(dialogs.errors.empty());
  EXPECT_FALSE(Hourglass());
}

TEST_F(WindowStateTest, StartUpErrorGoesToTheErrorBoxAndTheWindowStillWorks) {
  window.reset();
  fs.dirs.insert("/base/STD_POS3D");
  fs.files["/base/STD_POS3D/nfri_mni_origin.csv"] = "a\r\nb\r\n";  // far too short
  OpenWindow();
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0], Form().StartupError());
  ExpectButtons({true, true, false, false});
}

TEST_F(WindowStateTest, EachPositionModeChangeSetsTheButtonsAndClearsTheUserPanels) {
  ReadThroughWindow("/base/small.datx", SmallRecording().Text());
  ASSERT_EQ(Shown(Panel::P_MSG), "Snirf Conversion End");
  ASSERT_EQ(Shown(Panel::P_TYP), "3x4");

  ChoosePositionItem(1);
  EXPECT_TRUE(Selected(1));
  EXPECT_EQ(Form().PositionMode(), 1);
  ExpectButtons({false, true, true, true});
  EXPECT_EQ(Shown(Panel::P_TYP), "");
  EXPECT_EQ(Shown(Panel::P_MSG), "");
  EXPECT_EQ(Shown(Panel::P_FILE), "/base/small.datx") << "kept";
  EXPECT_EQ(Shown(Panel::P_SNIRF), "/base/temp/small.snirf") << "kept";

  ChooseUserFiles();
  ASSERT_EQ(Shown(Panel::P_TYP1), "3x4");
  ChoosePositionItem(0);
  EXPECT_TRUE(Selected(0));
  EXPECT_EQ(Form().PositionMode(), 0);
  ExpectButtons({true, true, false, false});
  for (Panel p : {Panel::P_ORG, Panel::P_OTHER, Panel::P_TYP1}) EXPECT_EQ(Shown(p), "") << PanelName(p);

  ChoosePositionItem(1);
  ExpectButtons({false, true, true, true});
  EXPECT_EQ(Shown(Panel::P_ORG), "") << "every entry into user mode starts without files";
}

TEST_F(WindowStateTest, ClickingTheSelectedItemChangesNothing) {
  ChoosePositionItem(1);
  ChooseUserFiles();
  ChoosePositionItem(1);
  EXPECT_TRUE(Selected(1));
  EXPECT_EQ(Shown(Panel::P_ORG), kOrigin);
  EXPECT_EQ(Shown(Panel::P_OTHER), kOthers);
  ExpectButtons({true, true, true, true});
}

TEST_F(WindowStateTest, UserFileButtonsAskWithTheirFiltersAndFillThePanels) {
  ChoosePositionItem(1);
  dialogs.Answer(Dialog::OpenDialog2, kOrigin);
  Click(Button::OrgBtn);
  EXPECT_EQ(Shown(Panel::P_ORG), kOrigin);
  EXPECT_FALSE(Usable(Button::RdBtn)) << "the others file is still missing";

  dialogs.Answer(Dialog::OpenDialog3, kOthers);
  Click(Button::OtherBtn);
  EXPECT_EQ(Shown(Panel::P_OTHER), kOthers);
  EXPECT_EQ(Shown(Panel::P_TYP1), "3x4");
  EXPECT_TRUE(Usable(Button::RdBtn));

  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].name, "OpenDialog2");
  EXPECT_EQ(dialogs.shown[0].filter, "MNI_ORIGIN File (*_mni_origin_*.csv)");
  EXPECT_EQ(dialogs.shown[1].name, "OpenDialog3");
  EXPECT_EQ(dialogs.shown[1].filter, "MNI_OTHERS File (*_mni_others_*.csv)");
  for (const auto& shown : dialogs.shown) EXPECT_EQ(shown.initialFolder, "/base/USR_POS3D");
}

TEST_F(WindowStateTest, OthersDialogCancelledClearsOnlyTheType) {
  ChoosePositionItem(1);
  ChooseUserFiles();
  std::string typeWhileAsking = "unseen";
  dialogs.onOpen = [&](const DialogEntry&) { typeWhileAsking = Shown(Panel::P_TYP1); };
  Click(Button::OtherBtn);  // no answer queued: cancelled
  EXPECT_EQ(typeWhileAsking, "") << "cleared before the dialog";
  EXPECT_EQ(Shown(Panel::P_TYP1), "");
  EXPECT_EQ(Shown(Panel::P_OTHER), kOthers);
  EXPECT_TRUE(Usable(Button::RdBtn));
}

TEST_F(WindowStateTest, DisabledButtonsIgnoreClicks) {
  Click(Button::OrgBtn);
  Click(Button::OtherBtn);
  EXPECT_TRUE(dialogs.shown.empty());
  ChoosePositionItem(1);
  Click(Button::RdBtn);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(WindowStateTest, ExitClosesTheWindow) {
  Click(Button::ExitBtn);
  EXPECT_FALSE(Screen().isVisible());
  EXPECT_TRUE(Form().AbortRequested());
}

TEST_F(WindowStateTest, CloseBoxClosesTheWindow) {
  Screen().windowHandle()->close();  // as the window manager's close request arrives
  EXPECT_FALSE(Screen().isVisible());
  EXPECT_TRUE(Form().AbortRequested());
}

}  // namespace
}  // namespace ordwell::testing
