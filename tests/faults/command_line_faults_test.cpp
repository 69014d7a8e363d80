// The fault matrix of `ordwell convert` with the real binaries: each row puts one fault
// in the way of a second conversion after a good first one, and states the whole
// outcome: exit status, the stdout and stderr lines, what each member of the set is
// afterwards, and that the earlier SNIRF copy is intact unless the row replaces it.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "base_folder.h"
#include "recordings.h"
#include "set_state.h"

namespace ordwell::testing {
namespace {

namespace fs = std::filesystem;

// Sizes of the second recording's conversion, from which the file-size limits follow.
struct Sizes {
  long largestMember = 0;  // data.csv
  long snirf = 0;
};

// The set and the SNIRF file that the second recording gives when nothing is in the way.
struct Fresh {
  SetFiles set;
  Sizes sizes;
};

const Fresh& FreshConversion() {
  static const Fresh fresh = [] {
    BaseFolder f;
    f.StandardLibrary();
    ChildResult r = f.Convert({f.Recording("a.datx", SecondRecording())});
    if (r.status != 0) throw std::runtime_error("the reference conversion failed: " + r.err);
    Fresh made{ReadSet(f.base()), {}};
    for (const auto& [name, bytes] : made.set)
      made.sizes.largestMember = std::max(made.sizes.largestMember, static_cast<long>(bytes.size()));
    made.sizes.snirf = static_cast<long>(fs::file_size(f.InBase("temp/a.snirf")));
    return made;
  }();
  return fresh;
}

void ReplaceByFolder(const std::string& path) {
  fs::remove_all(path);
  MakeFolder(path);
}

struct Fault {
  const char* name;
  std::function<void(const BaseFolder&, ChildRun&)> arrange;
  std::vector<std::string> args;  // after "convert"; "{data}/a.datx" when empty
  int status;
  const char* out;
  const char* err;
  const char* set;  // see set_state.h
  bool earlierCopyIntact;
  std::vector<std::string> present;  // from the root, after the run
  std::vector<std::string> absent;
};

class CommandLineFaults : public ::testing::TestWithParam<Fault> {};

TEST_P(CommandLineFaults, OutcomeIsExact) {
  const Fault& c = GetParam();
  const Fresh& fresh = FreshConversion();
  BaseFolder f;
  f.StandardLibrary();
  const std::string recording = f.Recording("a.datx", FirstRecording());
  ASSERT_EQ(f.Convert({recording}).status, 0);
  const SetFiles earlier = ReadSet(f.base());
  const std::string earlierCopy = ReadBytes(f.InBase("temp/a.snirf"));

  f.Recording("a.datx", SecondRecording());
  ChildRun run;
  c.arrange(f, run);
  std::vector<std::string> args;
  for (const std::string& a : c.args) args.push_back(Expand(a, f));
  if (args.empty()) args.push_back(recording);
  ChildResult r = f.Convert(args, run);

  EXPECT_EQ(r.status, c.status);
  EXPECT_EQ(r.out, Expand(c.out, f));
  EXPECT_EQ(r.err, Expand(c.err, f));
  EXPECT_EQ(SetState(ReadSet(f.base()), earlier, fresh.set), c.set);
  if (c.earlierCopyIntact) {
    EXPECT_EQ(ReadBytes(f.InBase("temp/a.snirf")), earlierCopy);
  }
  for (const std::string& p : c.present) EXPECT_TRUE(fs::exists(f.root() + "/" + p)) << p;
  for (const std::string& p : c.absent) EXPECT_FALSE(fs::exists(f.root() + "/" + p)) << p;
  // No half-made file stays behind: neither the copy's nor the converter's temporary.
  for (const auto& [path, bytes] : f.Tree())
    EXPECT_TRUE(path.find(".part-") == std::string::npos && path.find(".tmp-") == std::string::npos) << path;
}

void PrintTo(const Fault& c, std::ostream* os) { *os << c.name; }

// landPos3D.csv reads N where the set was not rewritten: the head landmarks of the
// library are the same for both probes.
const Fault kFaults[] = {
    {"BaseFolderNotWritable",
     [](const BaseFolder& f, ChildRun& run) {
       fs::permissions(f.base(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                       fs::perm_options::remove);
       run.withoutRoot = true;
     },
     {}, 1, "", "ordwell: {data}/a.datx: Cannot create file \"{base}/data.csv\": Permission denied\n", "OOOOOONOOO",
     true, {}, {}},
    {"TempIsAFile",
     [](const BaseFolder& f, ChildRun&) {
       fs::remove_all(f.InBase("temp"));
       WriteBytes(f.InBase("temp"), "not a folder");
     },
     {}, 1, "",
     "ordwell: {data}/a.datx: Cannot copy \"{base}/tavik_data_3d.snirf\" to \"{base}/temp/a.snirf\": there is no "
     "folder \"{base}/temp\"\n",
     "NNNNNNNNNN", false, {"base/tavik_data_3d.snirf"}, {}},
    {"SetMemberIsAFolder", [](const BaseFolder& f, ChildRun&) { ReplaceByFolder(f.InBase("meslst.csv")); }, {}, 1, "",
     "ordwell: {data}/a.datx: Cannot create file \"{base}/meslst.csv\": Is a directory\n", "NNFOOONOOO", true, {},
     {}},
    {"OldConverterOutputIsAFolder",
     [](const BaseFolder& f, ChildRun&) { ReplaceByFolder(f.InBase("tavik_data_3d.snirf")); }, {}, 1, "",
     "ordwell: {data}/a.datx: Cannot delete the earlier converter output \"{base}/tavik_data_3d.snirf\": a folder "
     "of that name is in the way\n",
     "NNNNNNNNNN", true, {}, {}},
    {"ConverterMissing",
     [](const BaseFolder& f, ChildRun& run) {
       // An ordwell with no converter beside it, and one of the same name on the PATH
       // that must not be taken.
       MakeFolder(f.root() + "/bin");
       fs::copy_file(OrdwellBinary(), f.root() + "/bin/ordwell");
       MakeFolder(f.root() + "/path");
       WriteBytes(f.root() + "/path/Brenlow", "#!/bin/sh\ntouch \"" + f.root() + "/path/ran\"\n");
       MakeExecutable(f.root() + "/path/Brenlow");
       run.args = {f.root() + "/bin/ordwell"};
       run.env = {"PATH=" + f.root() + "/path:/usr/bin:/bin"};
     },
     {}, 1, "", "ordwell: {data}/a.datx: The converter \"{base}/Brenlow\" is missing\n", "NNNNNNNNNN", true, {},
     {"path/ran"}},
    {"ConverterNotExecutable",
     [](const BaseFolder& f, ChildRun&) {
       f.FakeConverter("touch ran");
       MakeExecutable(f.InBase("Brenlow"), false);
     },
     {}, 1, "", "ordwell: {data}/a.datx: Cannot start the converter \"{base}/Brenlow\": Permission denied\n",
     "NNNNNNNNNN", true, {}, {"base/ran"}},
    {"ConverterExitsNonZero",
     [](const BaseFolder& f, ChildRun&) { f.FakeConverter("echo 'Brenlow: the set is broken' >&2\nexit 3"); }, {},
     1, "", "ordwell: {data}/a.datx: The converter exited with status 3: Brenlow: the set is broken\n", "NNNNNNNNNN",
     true, {}, {}},
    {"ConverterCrashesWhileWriting",
     [](const BaseFolder& f, ChildRun&) { f.FakeConverter("printf 'HDF' > tavik_data_3d.snirf\nkill -SEGV $$"); },
     {}, 1, "", "ordwell: {data}/a.datx: The converter was killed by signal 11\n", "NNNNNNNNNN", true,
     {"base/tavik_data_3d.snirf"}, {}},
    {"ConverterWritesNothing", [](const BaseFolder& f, ChildRun&) { f.FakeConverter("exit 0"); }, {}, 1, "",
     "ordwell: {data}/a.datx: The converter ended without writing \"{base}/tavik_data_3d.snirf\"\n", "NNNNNNNNNN",
     true, {}, {"base/tavik_data_3d.snirf"}},
    {"DiskFullWhileTheSetIsWritten",
     [](const BaseFolder&, ChildRun& run) { run.fileSizeLimit = FreshConversion().sizes.largestMember / 2; }, {}, 1,
     "", "ordwell: {data}/a.datx: Cannot write file \"{base}/data.csv\": File too large\n", "POOOOONOOO", true, {},
     {}},
    {"DiskFullWhileTheConverterWrites",
     [](const BaseFolder&, ChildRun& run) {
       const Sizes& s = FreshConversion().sizes;
       ASSERT_LT(s.largestMember, s.snirf);
       run.fileSizeLimit = (s.largestMember + s.snirf) / 2;
     },
     {}, 1, "", "ordwell: {data}/a.datx: The converter exited with status 1: Brenlow: HDF5 could not finish the file "
     "\"./tavik_data_3d.snirf\"\n",
     "NNNNNNNNNN", true, {}, {"base/tavik_data_3d.snirf"}},
    // The converter lifts the limit for itself; the copy into temp meets it.
    {"DiskFullWhileTheCopyIsMade",
     [](const BaseFolder& f, ChildRun& run) {
       const Sizes& s = FreshConversion().sizes;
       run.fileSizeLimit = 2 * s.largestMember;
       WriteBytes(f.InBase("big.snirf"), std::string(static_cast<size_t>(4 * s.largestMember), 'S'));
       f.FakeConverter("ulimit -f unlimited && cat big.snirf > tavik_data_3d.snirf");
     },
     {}, 1, "", "ordwell: {data}/a.datx: Cannot write file \"{base}/temp/a.snirf\": File too large\n", "NNNNNNNNNN",
     true, {"base/tavik_data_3d.snirf"}, {}},
    {"StandardLibraryIsAFile",
     [](const BaseFolder& f, ChildRun&) {
       fs::remove_all(f.InBase("STD_POS3D"));
       WriteBytes(f.InBase("STD_POS3D"), "not a folder");
     },
     {}, 0, "{base}/temp/a.snirf\n", "", "NNNNNN---N", false, {}, {}},
    {"OthersFileOfTheTypeIsAFolder",
     [](const BaseFolder& f, ChildRun&) { ReplaceByFolder(f.InBase("STD_POS3D/nfri_mni_others_2x6f.csv")); }, {}, 0,
     "{base}/temp/a.snirf\n", "", "NNNNNN---N", false, {}, {}},
    {"ArAlMissing",
     [](const BaseFolder& f, ChildRun&) {
       MakeFolder(f.data() + "/u");
       fs::copy_file(SourceDir() + "/examples/USR_POS3D/subj02_mni_origin_01.csv", f.data() + "/u/s_mni_origin_1.csv");
       fs::copy_file(SourceDir() + "/examples/STD_POS3D/nfri_mni_others_2x6f.csv", f.data() + "/u/s_mni_others_2x6_1.csv");
     },
     {"--user", "{data}/u/s_mni_origin_1.csv", "{data}/u/s_mni_others_2x6_1.csv", "{data}/a.datx"}, 1, "",
     "ordwell: {data}/a.datx: Cannot open file \"{data}/u/AR_AL.txt\": No such file or directory\n", "NNNNNNNOOO", true,
     {}, {}},
    {"DestinationInTempIsAFolder", [](const BaseFolder& f, ChildRun&) { ReplaceByFolder(f.InBase("temp/a.snirf")); },
     {}, 1, "",
     "ordwell: {data}/a.datx: Cannot copy \"{base}/tavik_data_3d.snirf\" to \"{base}/temp/a.snirf\": a folder of that "
     "name is in the way\n",
     "NNNNNNNNNN", false, {"base/tavik_data_3d.snirf"}, {}},
    {"OutputFolderIsAFile", [](const BaseFolder& f, ChildRun&) { WriteBytes(f.out() + "/x", "a file"); },
     {"-o", "{out}/x", "{data}/a.datx"}, 1, "", "ordwell: Cannot create folder \"{out}/x\": File exists\n",
     "OOOOOONOOO", true, {}, {}},
    {"DestinationInTheOutputFolderIsAFolder",
     [](const BaseFolder& f, ChildRun&) { ReplaceByFolder(f.out() + "/a.snirf"); }, {"-o", "{out}", "{data}/a.datx"},
     1, "",
     "ordwell: {data}/a.datx: Cannot copy \"{base}/temp/a.snirf\" to \"{out}/a.snirf\": a folder of that name is in "
     "the way\n",
     "NNNNNNNNNN", false, {"base/temp/a.snirf"}, {}},
};

INSTANTIATE_TEST_SUITE_P(Matrix, CommandLineFaults, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<Fault>& row) { return std::string(row.param.name); });

TEST(CommandLineStartUp, CurrentFolderRemovedIsReportedNotACrash) {
  BaseFolder f;
  MakeFolder(f.root() + "/gone");
  ChildRun run;
  run.workingDir = f.root() + "/gone";
  run.removeWorkingDir = true;
  ChildResult r = f.Convert({f.Recording("a.datx", FirstRecording())}, run);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "ordwell: Cannot read the current folder: No such file or directory\n");
}

}  // namespace
}  // namespace ordwell::testing
