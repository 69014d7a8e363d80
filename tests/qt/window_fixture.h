#pragma once
// The Qt window on the fakes of the form tests: a fake file system, a fake clock that
// moves only when slept on, a fake converter and scripted dialogs.
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "app/form_fixture.h"
#include "platform/qt/form_window.h"
#include "scripted_dialogs.h"

namespace ordwell::testing {

class WindowTest : public FormTest {
 protected:
  ScriptedDialogs dialogs;
  std::unique_ptr<FormWindow> window;

  void OpenWindow() {
    window = std::make_unique<FormWindow>(FormServices{fs, launcher, clock, Charset::Ascii(), ".", ""},
                                          ConverterWaitMode::kPollForOutput, dialogs);
    Screen().ShowCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Screen()));
  }

  QtFormUi& Screen() { return window->Ui(); }
  TForm1& Form() { return window->Form(); }

  std::string Shown(Panel panel) { return Screen().PanelWidget(panel).text().toStdString(); }
  bool Usable(Button button) { return Screen().ButtonWidget(button).isEnabled(); }
  bool Selected(int item) { return Screen().PositionItem(item).isChecked(); }
  bool Hourglass() { return QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor; }

  void Click(Button button) { QTest::mouseClick(&Screen().ButtonWidget(button), Qt::LeftButton); }
  // On the indicator, where a click always hits the item.
  void ChoosePositionItem(int item) {
    QRadioButton& radio = Screen().PositionItem(item);
    QTest::mouseClick(&radio, Qt::LeftButton, {}, QPoint(6, radio.height() / 2));
  }

  // The read command through RdBtn, the data file dialog answered with `path`.
  void ReadThroughWindow(const std::string& path, const std::string& text) {
    fs.files[path] = text;
    dialogs.Answer(Dialog::OpenDialog1, path);
    Click(Button::RdBtn);
  }
};

// A converter that is started but never writes and never ends.
inline FakeBehaviour NeverAnswers() {
  return [](uint32_t) -> std::optional<int> { return std::nullopt; };
}

}  // namespace ordwell::testing
