// WriteSnirf's ways out: every HDF5 object it opened is closed again, on success and
// on each kind of failure, so the caller can remove the partial file.
#include "converter/snirf_writer.h"

#include <hdf5.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "good_set.h"
#include "probe/caught_error.h"
#include "support/temp_dir.h"

namespace brenlow {
namespace {

using ordwell::testing::CatchError;
using ordwell::testing::CaughtError;
using ordwell::testing::TempDir;
using testing::SetFiles;

ssize_t OpenHdf5Objects() { return H5Fget_obj_count(H5F_OBJ_ALL, H5F_OBJ_ALL); }

TEST(WriteSnirf, LeavesNoHdf5ObjectOpen) {
  struct Case {
    const char* what;
    std::function<void(SetFiles&)> change;
    std::string output;  // relative to the set's folder
    CaughtError error;   // "{dir}" is the set's folder
  };
  const Case kCases[] = {
      {"a good set", [](SetFiles&) {}, "out.snirf", {"none", ""}},
      {"a bad value while dataTimeSeries is written",
       [](SetFiles& f) { f["data.csv"] = testing::CrLfLines({"1,2,3,4,5,6", "1,2,3,x,5,6", "", ""}); },
       "out.snirf",
       {"conversion", "{dir}/data.csv:2: value 4 'x' is not a number"}},
      {"data.csv short of the times", [](SetFiles& f) { f["data.csv"] = testing::CrLfLines({"1,2,3,4,5,6"}); },
       "out.snirf",
       {"conversion", "{dir}/data.csv: has 1 lines, but tmlst.csv has 4 times"}},
      {"an output in a missing folder", [](SetFiles&) {}, "missing/out.snirf",
       {"file", "Cannot create file \"{dir}/missing/out.snirf\": No such file or directory"}},
  };
  for (bool with3D : {false, true}) {
    for (const Case& c : kCases) {
      TempDir dir;
      SetFiles files = testing::GoodSet(with3D);
      c.change(files);
      testing::WriteSet(dir.path(), files);
      const IntermediateSet set = ReadIntermediateSet(dir.path(), ordwell::Charset::Ascii());
      CaughtError want = c.error;
      if (size_t at = want.message.find("{dir}"); at != std::string::npos) want.message.replace(at, 5, dir.path());
      EXPECT_EQ(CatchError([&] { WriteSnirf(set, dir / c.output); }), want) << c.what;
      EXPECT_EQ(OpenHdf5Objects(), 0) << c.what;
      // A failure leaves a file the caller removes; it can be, as nothing holds it.
      if (std::filesystem::exists(dir / c.output)) {
        EXPECT_TRUE(std::filesystem::remove(dir / c.output)) << c.what;
      }
    }
  }
}

}  // namespace
}  // namespace brenlow
