// The fault matrix of TForm1 on a fake file system, clock and converter: each row puts
// one fault in the way of a second conversion after a good first one and states the
// outcome, the error, the status and result panels, what each member of the set is
// afterwards, whether the earlier SNIRF copy is intact and how often the converter was
// started and stopped. Times here are the fake clock's: a hundred seconds cost nothing.
#include <gtest/gtest.h>

#include <functional>

#include "app/form_fixture.h"
#include "recordings.h"
#include "set_state.h"

namespace ordwell::testing {
namespace {

constexpr const char* kData = "/base/a.datx";
constexpr const char* kCopy = "/base/temp/a.snirf";

// A converter that never ends.
std::optional<int> Hangs(uint32_t) { return std::nullopt; }

class FormFaults : public FormTest {
 public:
  using FormTest::fs;  // for the rows that arrange a fault
  using FormTest::launcher;

  // What the second recording gives when nothing is in the way.
  static SetFiles FreshSet() {
    struct Reference : FormTest {
      void TestBody() override {}
      SetFiles Make() {
        SetUp();
        Create(ConverterWaitMode::kWaitForExit);
        Read(kData, SecondRecording());
        return ReadSet(fs, "/base");
      }
    };
    return Reference().Make();
  }
};

struct FormFault {
  const char* name;
  ConverterWaitMode mode;
  std::function<void(FormFaults&)> arrange;
  ReadOutcome outcome;
  const char* error;
  const char* status;  // P_MSG
  const char* result;  // P_SNIRF
  const char* set;     // see set_state.h
  bool earlierCopyIntact;
  size_t starts;  // converter starts of both conversions
  int kills;
};

class FormFaultMatrix : public FormFaults, public ::testing::WithParamInterface<FormFault> {};

constexpr auto kPoll = ConverterWaitMode::kPollForOutput;
constexpr auto kExit = ConverterWaitMode::kWaitForExit;

TEST_P(FormFaultMatrix, OutcomeIsExact) {
  const FormFault& c = GetParam();
  static const SetFiles fresh = FreshSet();
  Create(c.mode);
  Read(kData, FirstRecording());
  ASSERT_EQ(form->LastOutcome(), ReadOutcome::kConverted) << form->LastError();
  const SetFiles earlier = ReadSet(fs, "/base");
  const std::string earlierCopy = fs.files[kCopy];

  c.arrange(*this);
  const uint64_t sleptBefore = clock.slept;
  Read(kData, SecondRecording());

  EXPECT_EQ(form->LastOutcome(), c.outcome);
  EXPECT_EQ(form->LastError(), c.error);
  EXPECT_EQ(form->Text(Panel::P_MSG), c.status);
  EXPECT_EQ(form->Text(Panel::P_SNIRF), c.result);
  EXPECT_EQ(SetState(ReadSet(fs, "/base"), earlier, fresh), c.set);
  if (c.earlierCopyIntact) {
    EXPECT_EQ(fs.files[kCopy], earlierCopy);
  }
  EXPECT_EQ(launcher.started.size(), c.starts);
  EXPECT_EQ(launcher.kills, c.kills);
  EXPECT_EQ(ui.cursor, CursorShape::Default);
  EXPECT_EQ(ui.errors.size(), c.outcome == ReadOutcome::kFailed ? 1u : 0u);
  for (const auto& [path, bytes] : fs.files) EXPECT_EQ(path.find(".part-"), std::string::npos) << path;
  // A time-out waits its hundred seconds and not much more.
  if (c.kills > 0) {
    EXPECT_GE(clock.slept - sleptBefore, 100u * 1000u);
    EXPECT_LT(clock.slept - sleptBefore, 100u * 1000u + 2100u);
  }
}

void PrintTo(const FormFault& c, std::ostream* os) { *os << c.name; }

const FormFault kFormFaults[] = {
    {"SetMemberCannotBeCreated", kExit, [](FormFaults& t) { t.fs.failCreate.insert("/base/meslst.csv"); },
     ReadOutcome::kFailed, "Cannot create file \"/base/meslst.csv\": Permission denied", "", "", "NNOOOO---O", true, 1,
     0},
    {"DiskFullWhileTheSetIsWritten", kExit, [](FormFaults& t) { t.fs.writeBudget = 100; }, ReadOutcome::kFailed,
     "Cannot write file \"/base/data.csv\": No space left on device", "", "", "POOOOO---O", true, 1, 0},
    {"OldOutputCannotBeDeleted", kExit, [](FormFaults& t) { t.fs.failDelete.insert(kOutput); }, ReadOutcome::kFailed,
     "Cannot delete the earlier converter output \"/base/tavik_data_3d.snirf\"", "", "", "NNNNNN---N", true, 1, 0},
    // A file of an earlier conversion that stays would give this probe another's positions.
    {"Earlier3DFileCannotBeDeleted", kExit,
     [](FormFaults& t) {
       t.fs.files["/base/sPos3D.csv"] = "1.0000,2.0000,3.0000\r\n";
       t.fs.failDelete.insert("/base/sPos3D.csv");
     },
     ReadOutcome::kFailed,
     "Cannot delete \"/base/sPos3D.csv\" of an earlier conversion; it would give this recording another probe's "
     "positions",
     "", "", "NNNNNN-?-O", true, 1, 0},
    {"ConverterMissing", kExit, [](FormFaults& t) { t.fs.files.erase("/base/Brenlow"); }, ReadOutcome::kFailed,
     "The converter \"/base/Brenlow\" is missing", "", "", "NNNNNN---N", true, 1, 0},
    {"ConverterCannotStart", kExit, [](FormFaults& t) { t.launcher.failStart = true; }, ReadOutcome::kFailed,
     "Cannot start the converter \"/base/Brenlow\": Permission denied", "", "", "NNNNNN---N", true, 1, 0},
    {"ConverterExitsNonZero", kExit,
     [](FormFaults& t) {
       t.launcher.behaviour = [](uint32_t) { return std::optional<int>(3); };
       t.launcher.errorOutput = "Brenlow: the set is broken\n";
     },
     ReadOutcome::kFailed, "The converter exited with status 3: Brenlow: the set is broken", "", "", "NNNNNN---N", true,
     2, 0},
    {"ConverterCrashesWhileWriting", kExit,
     [](FormFaults& t) {
       t.launcher.behaviour = [&t](uint32_t) {
         t.fs.files[kOutput] = "HDF";
         return std::optional<int>(128 + 11);
       };
     },
     ReadOutcome::kFailed, "The converter was killed by signal 11", "", "", "NNNNNN---N", true, 2, 0},
    // The window looks for the output; a crash after it appeared leaves no SNIRF file to copy.
    {"ConverterCrashesAfterItsOutputAppearedPolled", kPoll,
     [](FormFaults& t) {
       t.launcher.behaviour = [&t](uint32_t elapsed) -> std::optional<int> {
         if (elapsed < 1500) return std::nullopt;
         t.fs.files[kOutput] = "HDF";
         return elapsed < 2200 ? std::nullopt : std::optional<int>(128 + 11);
       };
     },
     ReadOutcome::kFailed, "The converter was killed by signal 11", "", "", "NNNNNN---N", true, 2, 0},
    {"ConverterWritesNothing", kExit, [](FormFaults& t) { t.launcher.behaviour = [](uint32_t) { return std::optional<int>(0); }; },
     ReadOutcome::kFailed, "The converter ended without writing \"/base/tavik_data_3d.snirf\"", "", "", "NNNNNN---N",
     true, 2, 0},
    {"ConverterWritesNothingPolled", kPoll,
     [](FormFaults& t) { t.launcher.behaviour = [](uint32_t) { return std::optional<int>(0); }; }, ReadOutcome::kFailed,
     "The converter exited with status 0 without writing \"/base/tavik_data_3d.snirf\"", "", "", "NNNNNN---N", true, 2,
     0},
    {"ConverterTooSlow", kExit, [](FormFaults& t) { t.launcher.behaviour = Hangs; }, ReadOutcome::kFailed,
     "The converter did not finish within 100 s", "", "", "NNNNNN---N", true, 2, 1},
    {"ConverterTooSlowPolled", kPoll, [](FormFaults& t) { t.launcher.behaviour = Hangs; }, ReadOutcome::kFailed,
     "The converter gave no output within 100 s", "", "", "NNNNNN---N", true, 2, 1},
    {"TempFolderGone", kExit,
     [](FormFaults& t) {
       t.fs.dirs.erase("/base/temp");
       t.fs.files.erase(kCopy);
     },
     ReadOutcome::kFailed,
     "Cannot copy \"/base/tavik_data_3d.snirf\" to \"/base/temp/a.snirf\": there is no folder \"/base/temp\"", "", "",
     "NNNNNN---N", false, 2, 0},
    {"DestinationIsAFolder", kExit,
     [](FormFaults& t) {
       t.fs.files.erase(kCopy);
       t.fs.dirs.insert(kCopy);
     },
     ReadOutcome::kFailed,
     "Cannot copy \"/base/tavik_data_3d.snirf\" to \"/base/temp/a.snirf\": a folder of that name is in the way", "", "",
     "NNNNNN---N", false, 2, 0},
    {"DiskFullWhileCopying", kExit,
     [](FormFaults& t) {
       t.launcher.behaviour = [&t](uint32_t) {
         t.fs.files[kOutput] = "A NEW SNIRF THAT WILL NOT FIT";
         t.fs.writeBudget = 5;
         return std::optional<int>(0);
       };
     },
     ReadOutcome::kFailed, "Cannot write file \"/base/temp/a.snirf\": No space left on device",
     "", "", "NNNNNN---N", true, 2, 0},
};

INSTANTIATE_TEST_SUITE_P(Matrix, FormFaultMatrix, ::testing::ValuesIn(kFormFaults),
                         [](const ::testing::TestParamInfo<FormFault>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace ordwell::testing
