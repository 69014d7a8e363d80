// Hostile recordings through the read command of the form, all in memory: decoding,
// lines, header, sensor type, channel list, sample rows with their marks, the record
// and the intermediate set written into a fake file system. The first byte picks the
// kind (bit 0), the ANSI set (bits 1..3), a standard library (bit 6) and the user's
// own 3x4 position files (bit 7); the rest holds one or two recordings (separated by
// 0x1E), converted one after the other by the same form as in one session.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/form1.h"
#include "fuzz_input.h"
#include "platform/headless_ui.h"
#include "snirf/intermediate_set.h"
#include "support/fake_file_system.h"
#include "support/fake_process.h"
#include "synthetic_library.h"

namespace ordwell::fuzz {
namespace {

const char* const kSetMembers[] = {kDataCsv,        kTimeCsv,          kMeasurementListCsv, kMetadataCsv,
                                   kSourcePos2DCsv, kDetectorPos2DCsv, kStimCsv};
const char* const kMembers3D[] = {kLandmarkPos3DCsv, kSourcePos3DCsv, kDetectorPos3DCsv};

constexpr const char* kOrigin = "/base/USR_POS3D/s_mni_origin_1.csv";
constexpr const char* kOthers = "/base/USR_POS3D/s_mni_others_3x4_1.csv";

void UserFiles(testing::FakeFileSystem& fs) {
  fs.CreateDirectories("/base/USR_POS3D");
  fs.files[kOrigin] = testing::OriginFileText();
  fs.files[kOthers] = testing::SyntheticOthersFile(2);
  fs.files["/base/USR_POS3D/AR_AL.txt"] = "150.0\r\n";
}

size_t LineEnds(const std::string& text) {
  size_t count = 0;
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++count;
  return count;
}

// What the fake file system holds of the set, by name.
std::string Member(testing::FakeFileSystem& fs, const char* name) {
  auto it = fs.files.find(JoinPath("/base", name));
  return it == fs.files.end() ? std::string("<missing>") : it->second;
}

void CheckOutcome(const TForm1& form, testing::FakeFileSystem& fs, const std::string& path,
                  const std::string& setBefore) {
  const std::string setNow = Member(fs, kDataCsv) + Member(fs, kTimeCsv) + Member(fs, kStimCsv);
  switch (form.LastOutcome()) {
    case ReadOutcome::kTooShort:
    case ReadOutcome::kSensorTypeError:
      Require(setNow == setBefore, "a refused recording changed the set");
      break;
    case ReadOutcome::kFailed:
      // Every error of a recording says where it is.
      Require(form.LastError().rfind(path + ":", 0) == 0, "the error does not name the file: " + form.LastError());
      Require(setNow == setBefore, "a failed recording changed the set");
      break;
    case ReadOutcome::kConverted: {
      for (const char* name : kSetMembers) Require(Member(fs, name) != "<missing>", std::string(name) + " missing");
      const std::string data = Member(fs, kDataCsv), times = Member(fs, kTimeCsv);
      Require(LineEnds(data) == LineEnds(times), "data.csv and tmlst.csv differ in rows");
      Require(LineEnds(Member(fs, kMeasurementListCsv)) % 28 == 0, "meslst.csv is not whole channels");
      Require(LineEnds(Member(fs, kStimCsv)) >= 1, "stim.csv has no row");
      Require(form.Text(Panel::P_SNIRF) == SnirfDestination("/base/temp", path), "wrong result path");
      int present3D = 0;
      for (const char* name : kMembers3D) present3D += Member(fs, name) != "<missing>" ? 1 : 0;
      Require(present3D == 0 || present3D == 3, "the 3D members do not come together");
      break;
    }
    default:
      Violated("unexpected outcome " + std::to_string(static_cast<int>(form.LastOutcome())));
  }
}

}  // namespace
}  // namespace ordwell::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace ordwell;
  using namespace ordwell::fuzz;
  if (size == 0) return 0;
  const bool dat = (data[0] & 1) != 0;
  const Charset ansi(kCharsets[((data[0] >> 1) & 7) % kCharsetCount]);

  testing::FakeFileSystem fs;
  testing::FakeClock clock;
  testing::FakeLauncher launcher(clock);
  fs.files["/base/Brenlow"] = "converter";
  fs.executables.insert("/base/Brenlow");
  launcher.behaviour = [&fs](uint32_t) -> std::optional<int> {
    fs.files["/base/tavik_data_3d.snirf"] = "SNIRF";
    return 0;
  };
  if (data[0] & 0x40) testing::WriteSyntheticLibrary(fs, "/base/STD_POS3D");
  const bool userMode = (data[0] & 0x80) != 0;
  if (userMode) UserFiles(fs);
  HeadlessUi ui;
  TForm1 form(ui, FormServices{fs, launcher, clock, ansi, ".", ""}, ConverterWaitMode::kWaitForExit);
  form.FormCreate();
  if (userMode) {
    form.RG_POSClick(1);
    ui.Answer(Dialog::OpenDialog2, kOrigin);
    form.OrgBtnClick();
    ui.Answer(Dialog::OpenDialog3, kOthers);
    form.OtherBtnClick();
  }

  const std::string path = std::string("/base/in") + (dat ? ".dat" : ".datx");
  for (const std::string& recording : SplitFiles(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), 2)) {
    fs.files[path] = recording;
    const std::string setBefore = Member(fs, kDataCsv) + Member(fs, kTimeCsv) + Member(fs, kStimCsv);
    ui.Answer(Dialog::OpenDialog1, path);
    form.RdBtnClick();
    CheckOutcome(form, fs, path, setBefore);
  }
  return 0;
}
