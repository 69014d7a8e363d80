#pragma once
// One TForm1 on a fake file system, a fake clock and a fake converter.
#include <gtest/gtest.h>

#include <memory>

#include "app/form1.h"
#include "platform/headless_ui.h"
#include "support/fake_file_system.h"
#include "support/fake_process.h"
#include "support/recording_builder.h"

namespace ordwell::testing {

inline constexpr const char* kOutput = "/base/tavik_data_3d.snirf";

class FormTest : public ::testing::Test {
 protected:
  FakeFileSystem fs;
  FakeClock clock;
  FakeLauncher launcher{clock};
  HeadlessUi ui;
  std::unique_ptr<TForm1> form;

  void SetUp() override {
    fs.files["/base/Brenlow"] = "converter";
    fs.executables.insert("/base/Brenlow");
    launcher.behaviour = WritesOutputAfter(2500);
  }

  void Create(ConverterWaitMode mode = ConverterWaitMode::kPollForOutput, Charset ansi = Charset::Ascii()) {
    form = std::make_unique<TForm1>(ui, FormServices{fs, launcher, clock, ansi, ".", ""}, mode);
    form->FormCreate();
  }

  // A converter that writes its output and ends `ms` after its start.
  FakeBehaviour WritesOutputAfter(uint32_t ms) {
    return [this, ms](uint32_t elapsed) -> std::optional<int> {
      if (elapsed < ms) return std::nullopt;
      fs.files[kOutput] = "SNIRF of " + std::to_string(launcher.started.size());
      return 0;
    };
  }

  void Read(const std::string& path, const std::string& text) {
    fs.files[path] = text;
    ui.Answer(Dialog::OpenDialog1, path);
    form->RdBtnClick();
  }

  std::string File(const std::string& name) {
    auto it = fs.files.find("/base/" + name);
    return it == fs.files.end() ? std::string("<missing>") : it->second;
  }
  bool Has(const std::string& name) { return fs.files.count("/base/" + name) > 0; }
};

// A 3x4 recording: slot 2 and slot 17 switched off, rows of numbered fields.
inline Recording SmallRecording() {
  Recording r;
  r.channelList = "1,0,3,4,5,6,7,8,9,10,11,12,13,14,15,16,0";
  r.rows = {NumberedRow("0", 1000, 48), NumberedRow("1", 2000, 48), NumberedRow("0", 3000, 48),
            NumberedRow("2", 4000, 48)};
  return r;
}

}  // namespace ordwell::testing
