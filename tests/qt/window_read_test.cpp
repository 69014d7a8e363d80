// The read command driven through the window: what the panels show at each step,
// the files it writes and the error box.
#include "window_fixture.h"

namespace ordwell::testing {
namespace {

class WindowReadTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    OpenWindow();
  }

  struct Seen {
    std::string file, type, msg, snirf;
    bool readUsable = false, hourglass = false;
  };
  Seen Look() {
    return {Shown(Panel::P_FILE), Shown(Panel::P_TYP), Shown(Panel::P_MSG), Shown(Panel::P_SNIRF),
            Usable(Button::RdBtn), Hourglass()};
  }

  std::map<std::string, std::string> IntermediateFiles() {
    std::map<std::string, std::string> set;
    for (const auto& [path, text] : fs.files)
      if (path.rfind("/base/", 0) == 0 && path.size() > 4 && path.substr(path.size() - 4) == ".csv") set[path] = text;
    return set;
  }
};

TEST_F(WindowReadTest, FullConversionShowsEachStepAndWritesTheSet) {
  ReadThroughWindow("/base/first.datx", SmallRecording().Text());
  ASSERT_EQ(Shown(Panel::P_SNIRF), "/base/temp/first.snirf");

  Seen atDialog, inWait;
  dialogs.onOpen = [&](const DialogEntry&) { atDialog = Look(); };
  FakeBehaviour writes = WritesOutputAfter(2500);
  launcher.behaviour = [&](uint32_t elapsed) {
    if (elapsed < 1500) inWait = Look();
    return writes(elapsed);
  };
  ReadThroughWindow("/base/small.datx", SmallRecording().Text());

  // Before the dialog: the earlier conversion's file, status and result are gone, its type stays.
  EXPECT_EQ(atDialog.file, "");
  EXPECT_EQ(atDialog.msg, "");
  EXPECT_EQ(atDialog.snirf, "");
  EXPECT_EQ(atDialog.type, "3x4");
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].name, "OpenDialog1");
  EXPECT_EQ(dialogs.shown[1].filter, "Tavik DataFile (*.datx *.dat)");
  EXPECT_EQ(dialogs.shown[1].initialFolder, "/base");

  // While the converter runs.
  EXPECT_EQ(inWait.file, "/base/small.datx");
  EXPECT_EQ(inWait.type, "3x4");
  EXPECT_EQ(inWait.msg, "Snirf Conversion Start");
  EXPECT_EQ(inWait.snirf, "");
  EXPECT_TRUE(inWait.hourglass);
  EXPECT_FALSE(inWait.readUsable);

  // The end.
  Seen end = Look();
  EXPECT_EQ(end.file, "/base/small.datx");
  EXPECT_EQ(end.msg, "Snirf Conversion End");
  EXPECT_EQ(end.snirf, "/base/temp/small.snirf");
  EXPECT_FALSE(end.hourglass);
  EXPECT_TRUE(end.readUsable);
  EXPECT_EQ(fs.files["/base/temp/small.snirf"], "SNIRF of 2");
  EXPECT_EQ(Form().LastOutcome(), ReadOutcome::kConverted);
  EXPECT_TRUE(dialogs.errors.empty());
  ASSERT_EQ(launcher.started.size(), 2u);
  EXPECT_EQ(launcher.started[1].executable, "/base/Brenlow");
}

TEST_F(WindowReadTest, WindowWritesTheSameSetAsTheCommandLineForm) {
  ReadThroughWindow("/base/small.datx", SmallRecording().Text());
  std::map<std::string, std::string> throughWindow = IntermediateFiles();
  for (const char* name : {"data.csv", "tmlst.csv", "meslst.csv", "metalst.csv", "sourcePos2D.csv",
                           "detectorPos2D.csv", "stim.csv"})
    EXPECT_TRUE(throughWindow.count(std::string("/base/") + name)) << name;

  for (const auto& [path, text] : throughWindow) fs.files.erase(path);
  Create();  // the headless form of the command line
  Read("/base/small.datx", SmallRecording().Text());
  ASSERT_EQ(form->LastOutcome(), ReadOutcome::kConverted);
  EXPECT_EQ(IntermediateFiles(), throughWindow);
}

TEST_F(WindowReadTest, MalformedMarkFieldGoesToTheErrorBox) {
  Recording r = SmallRecording();
  r.rows[1] = NumberedRow("G1", 2000, 48);  // a mark field is hexadecimal
  ReadThroughWindow("/base/bad.datx", r.Text());

  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0], Form().LastError());
  EXPECT_NE(dialogs.errors[0].find("/base/bad.datx:43"), std::string::npos) << dialogs.errors[0];
  EXPECT_NE(dialogs.errors[0].find("G1"), std::string::npos) << dialogs.errors[0];
  EXPECT_EQ(Form().LastOutcome(), ReadOutcome::kFailed);
  EXPECT_EQ(Shown(Panel::P_FILE), "/base/bad.datx");
  EXPECT_EQ(Shown(Panel::P_TYP), "3x4");
  EXPECT_EQ(Shown(Panel::P_MSG), "");
  EXPECT_FALSE(Has("data.csv"));
  EXPECT_TRUE(launcher.started.empty());
  EXPECT_FALSE(Hourglass());
  EXPECT_TRUE(Usable(Button::RdBtn)) << "the next file can be read";
}

TEST_F(WindowReadTest, SilentEndsShowNothing) {
  struct Case {
    const char* name;
    std::optional<std::string> answer;
    std::string text;
  } cases[] = {
      {"cancelled", std::nullopt, ""},
      {"other extension", "/base/run1.DATX", SmallRecording().Text()},
      {"too short", "/base/short.datx", "only\r\na few\r\nlines\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.answer) fs.files[*c.answer] = c.text;
    dialogs.Answer(Dialog::OpenDialog1, c.answer);
    Click(Button::RdBtn);
    EXPECT_TRUE(dialogs.errors.empty());
    for (Panel p : {Panel::P_FILE, Panel::P_MSG, Panel::P_SNIRF}) EXPECT_EQ(Shown(p), "") << PanelName(p);
    EXPECT_TRUE(launcher.started.empty());
  }
}

}  // namespace
}  // namespace ordwell::testing
