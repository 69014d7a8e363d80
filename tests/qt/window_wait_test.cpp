// The converter wait in the window: it keeps painting and handling input, Exit and
// the close box end it, and a converter that never answers times out.
#include <QTimer>

#include "window_fixture.h"

namespace ordwell::testing {
namespace {

class WindowWaitTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    OpenWindow();
  }

  // Runs `action` once, from the event queue, at the converter's first poll: it
  // reaches the window the way a user's input does during the wait.
  void AtFirstPoll(std::function<void()> action, FakeBehaviour then = NeverAnswers()) {
    launcher.behaviour = [this, action = std::move(action), then, queued = false](uint32_t elapsed) mutable {
      if (!queued) {
        queued = true;
        QTimer::singleShot(0, &Screen(), action);
      }
      return then(elapsed);
    };
  }

  void ExpectAborted() {
    EXPECT_EQ(Form().LastOutcome(), ReadOutcome::kAborted);
    for (Panel p : {Panel::P_MSG, Panel::P_FILE, Panel::P_SNIRF}) EXPECT_EQ(Shown(p), "") << PanelName(p);
    EXPECT_FALSE(Hourglass());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(fs.FileExists("/base/temp/small.snirf"));
    EXPECT_EQ(launcher.kills, 1);
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_FALSE(Screen().isVisible());
    EXPECT_LE(clock.slept, 2100u) << "the wait ends at the poll after the request";
  }
};

TEST_F(WindowWaitTest, ExitDuringTheWaitEndsItAtTheNextPoll) {
  AtFirstPoll([this] { Click(Button::ExitBtn); });
  ReadThroughWindow("/base/small.datx", SmallRecording().Text());
  ExpectAborted();
}

TEST_F(WindowWaitTest, CloseBoxDuringTheWaitEndsTheToolWhenTheHandlerReturns) {
  bool handlerReturned = false;
  AtFirstPoll([this] { Screen().windowHandle()->close(); });
  fs.files["/base/small.datx"] = SmallRecording().Text();
  dialogs.Answer(Dialog::OpenDialog1, "/base/small.datx");
  QTimer::singleShot(0, &Screen(), [&] {
    Click(Button::RdBtn);
    handlerReturned = true;
  });
  // Only a hang guard: a passing run never gets near it.
  QTimer watchdog;
  watchdog.setSingleShot(true);
  bool timedOut = false;
  QObject::connect(&watchdog, &QTimer::timeout, [&] {
    timedOut = true;
    QCoreApplication::exit(1);
  });
  watchdog.start(60'000);

  int status = QApplication::exec();
  EXPECT_FALSE(timedOut) << "the application's loop did not end";
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(handlerReturned);
  ExpectAborted();
}

TEST_F(WindowWaitTest, WindowRepaintsDuringTheWait) {
  struct PaintLog : QObject {
    QLabel* panel = nullptr;
    std::vector<QString> painted;
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (watched == panel && event->type() == QEvent::Paint) painted.push_back(panel->text());
      return false;
    }
  } log;
  log.panel = &Screen().PanelWidget(Panel::P_MSG);
  log.panel->installEventFilter(&log);
  bool paintedInWait = false;
  FakeBehaviour writes = WritesOutputAfter(2500);
  launcher.behaviour = [&](uint32_t elapsed) {
    if (elapsed >= 1000 && elapsed < 2000)
      paintedInWait = std::count(log.painted.begin(), log.painted.end(), "Snirf Conversion Start") > 0;
    return writes(elapsed);
  };
  ReadThroughWindow("/base/small.datx", SmallRecording().Text());
  EXPECT_TRUE(paintedInWait) << "the status line was not repainted before the converter's first poll";
  EXPECT_EQ(Form().LastOutcome(), ReadOutcome::kConverted);
}

TEST_F(WindowWaitTest, SecondReadDuringTheWaitIsRefused) {
  bool readUsable = true;
  AtFirstPoll(
      [&] {
        readUsable = Usable(Button::RdBtn);
        Click(Button::RdBtn);  // a disabled button: nothing happens
        Form().RdBtnClick();   // and the handler refuses on its own
      },
      WritesOutputAfter(2500));
  ReadThroughWindow("/base/small.datx", SmallRecording().Text());
  EXPECT_FALSE(readUsable);
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_NE(dialogs.errors[0].find("still waiting"), std::string::npos) << dialogs.errors[0];
  EXPECT_EQ(dialogs.shown.size(), 1u) << "no second data file dialog";
  EXPECT_EQ(Form().LastOutcome(), ReadOutcome::kConverted) << "the first conversion goes on";
  EXPECT_EQ(launcher.started.size(), 1u);
  EXPECT_TRUE(Usable(Button::RdBtn));
}

TEST_F(WindowWaitTest, ConverterThatNeverAnswersTimesOutAfterAHundredPollsOfASecond) {
  std::vector<uint32_t> polls;  // ticks since the converter's start
  launcher.behaviour = [&](uint32_t elapsed) -> std::optional<int> {
    polls.push_back(elapsed);
    EXPECT_TRUE(Hourglass());
    return std::nullopt;
  };
  ReadThroughWindow("/base/small.datx", SmallRecording().Text());

  ASSERT_EQ(polls.size(), 100u);
  EXPECT_GE(polls[0], 1001u);
  for (size_t i = 1; i < polls.size(); ++i) {
    EXPECT_GE(polls[i] - polls[i - 1], 1001u) << "poll " << i;
    EXPECT_LE(polls[i] - polls[i - 1], 1010u) << "poll " << i;
  }
  EXPECT_GE(clock.slept, 30u + 100u * 1001u);
  EXPECT_LE(clock.slept, 30u + 100u * 1001u + 100u);
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0], "The converter gave no output within 100 s");
  EXPECT_EQ(Form().LastOutcome(), ReadOutcome::kFailed);
  EXPECT_EQ(launcher.kills, 1);
  EXPECT_FALSE(Hourglass());
  EXPECT_EQ(Shown(Panel::P_SNIRF), "");
  EXPECT_EQ(Shown(Panel::P_FILE), "/base/small.datx");
  EXPECT_FALSE(fs.FileExists("/base/temp/small.snirf"));
  EXPECT_TRUE(Screen().isVisible());
}

}  // namespace
}  // namespace ordwell::testing
