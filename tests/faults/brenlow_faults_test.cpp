// Brenlow on a full disk: a write that fails half-way ends with exit status 1 and a
// message in the terms of its output, leaves neither the output nor its partial file,
// and does not crash on the way out.
#include <gtest/gtest.h>

#include <filesystem>

#include "base_folder.h"
#include "recordings.h"
#include "set_state.h"

namespace ordwell::testing {
namespace {

namespace fs = std::filesystem;

struct FullDisk {
  const char* name;
  double limitOfTheOutput;  // the file-size limit as a part of the complete output's size
  const char* err;
};

void PrintTo(const FullDisk& c, std::ostream* os) { *os << c.name; }

class BrenlowFullDisk : public ::testing::TestWithParam<FullDisk> {};

TEST_P(BrenlowFullDisk, FailsCleanly) {
  BaseFolder f;
  ASSERT_EQ(f.Convert({f.Recording("a.datx", SecondRecording())}).status, 0);
  const long complete = static_cast<long>(fs::file_size(f.InBase("tavik_data_3d.snirf")));
  fs::remove(f.InBase("tavik_data_3d.snirf"));
  const SetFiles set = ReadSet(f.base());

  ChildRun run;
  run.args = {BrenlowBinary()};
  run.workingDir = f.base();
  run.fileSizeLimit = static_cast<long>(static_cast<double>(complete) * GetParam().limitOfTheOutput);
  ChildResult r = RunChild(run);

  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, GetParam().err);
  EXPECT_EQ(SetState(ReadSet(f.base()), set, set), "NNNNNN---N");
  for (const auto& entry : fs::directory_iterator(f.base()))
    EXPECT_EQ(entry.path().filename().string().find("tavik_data_3d"), std::string::npos) << entry.path();
}

INSTANTIATE_TEST_SUITE_P(Limits, BrenlowFullDisk,
                         ::testing::Values(FullDisk{"WhileTheDataIsWritten", 0.35,
                                                    "Brenlow: HDF5 could not write dataTimeSeries\n"},
                                           FullDisk{"WhenTheFileIsFinished", 0.9,
                                                    "Brenlow: HDF5 could not finish the file \"./tavik_data_3d.snirf\"\n"}),
                         [](const ::testing::TestParamInfo<FullDisk>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace ordwell::testing
