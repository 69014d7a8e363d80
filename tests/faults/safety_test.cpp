// What a run may touch and how it starts the converter: path names that a shell would
// take apart, a converter started by its full path with no shell in between, nothing
// written outside the base folder, its temp folder and the -o folder, and a SNIRF
// destination that stays in temp whatever the data file is called.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/command_line.h"
#include "base_folder.h"
#include "recordings.h"
#include "snirf/converter_run.h"

namespace ordwell::testing {
namespace {

namespace fs = std::filesystem;

// Nothing in a name may be run: a shell would make this file.
constexpr const char* kShellBait = "$(touch pwned);`touch pwned`";

bool AnyFileNamed(const BaseFolder& f, const std::string& name) {
  for (const auto& [path, bytes] : f.Tree())
    if (fs::path(path).filename() == name) return true;
  return false;
}

struct PathName {
  const char* name;
  std::string file;
};

void PrintTo(const PathName& c, std::ostream* os) { *os << c.name; }

class PathNames : public ::testing::TestWithParam<PathName> {};

TEST_P(PathNames, ConvertAsTheyAre) {
  BaseFolder f;
  const std::string file = GetParam().file;
  WriteBytes(f.InBase(file), FirstRecording());
  ChildResult r = f.Convert({"--", file});
  const std::string stem = fs::path(file).stem().string();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, f.InBase("temp/" + stem + ".snirf") + "\n");
  EXPECT_EQ(r.err, "");
  // The subject is the file's name, in the UTF-8 of the run's locale.
  const std::string meta = ReadBytes(f.InBase("metalst.csv"));
  EXPECT_EQ(meta.substr(0, meta.find("\r\n")), std::string(kUtf8Bom) + stem);
  EXPECT_FALSE(AnyFileNamed(f, "pwned"));
}

INSTANTIATE_TEST_SUITE_P(Names, PathNames,
                         ::testing::Values(PathName{"Blanks", "with  blanks .datx"},
                                           PathName{"Quotes", "it's \"quoted\".datx"},
                                           PathName{"NonAscii", "Prüfung_東京_ü.datx"},
                                           PathName{"LeadingDash", "-subject.datx"},
                                           PathName{"ShellWords", std::string(kShellBait) + ".datx"}),
                         [](const ::testing::TestParamInfo<PathName>& row) { return std::string(row.param.name); });

TEST(LeadingDash, WithoutDoubleDashIsAnUnknownOption) {
  BaseFolder f;
  WriteBytes(f.InBase("-subject.datx"), FirstRecording());
  ChildResult r = f.Convert({"-subject.datx"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, std::string("ordwell: unknown option \"-subject.datx\"\n") + UsageText());
  EXPECT_FALSE(fs::exists(f.InBase("data.csv")));
}

TEST(ConverterStart, FullPathNoShellNoArgumentsInTheBaseFolder) {
  BaseFolder f;
  // A base folder whose name a shell would run and split.
  const std::string base = f.root() + "/base " + kShellBait + " 'q\"";
  MakeFolder(base);
  WriteBytes(base + "/Brenlow",
             "#!/bin/sh\n"
             "printf '%s\\n' \"$0\" \"$#\" \"$(pwd)\" > converter-saw\n"
             "echo 'converter chatter on stdout'\n"
             "printf SNIRF > tavik_data_3d.snirf\n");
  MakeExecutable(base + "/Brenlow");
  ChildRun run;
  run.workingDir = base;
  ChildResult r = f.Convert({f.Recording("a.datx", FirstRecording())}, run);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, base + "/temp/a.snirf\n") << "the converter's own output stays out of the result lines";
  EXPECT_EQ(ReadBytes(base + "/converter-saw"), base + "/Brenlow\n0\n" + base + "\n");
  EXPECT_EQ(ReadBytes(base + "/temp/a.snirf"), "SNIRF");
  EXPECT_FALSE(AnyFileNamed(f, "pwned"));
}

// Every path under the root that a run added, removed or changed.
std::vector<std::string> Changed(const std::map<std::string, std::string>& before,
                                 const std::map<std::string, std::string>& after) {
  std::vector<std::string> changed;
  for (const auto& [path, bytes] : after) {
    auto it = before.find(path);
    if (it == before.end() || it->second != bytes) changed.push_back(path);
  }
  for (const auto& [path, bytes] : before)
    if (!after.count(path)) changed.push_back(path + " (removed)");
  return changed;
}

TEST(WrittenFiles, OnlyTheSetTheOutputAndItsCopies) {
  BaseFolder f;
  f.StandardLibrary();
  const std::string a = f.Recording("a.datx", FirstRecording());
  const std::string bad = f.Recording("b.datx", "not a recording\r\n");
  MakeFolder(f.root() + "/beside");
  WriteBytes(f.root() + "/beside/keep.txt", "untouched");
  const auto before = f.Tree();
  std::map<std::string, std::uintmax_t> binaries;
  for (const auto& entry : fs::directory_iterator(BinDir())) binaries[entry.path().string()] = entry.file_size();

  ChildResult r = f.Convert({"-o", f.out(), a, bad});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, f.out() + "/a.snirf\n");

  // In byte order, as the listing sorts.
  std::vector<std::string> expected = {
      "/base/dPos3D.csv",  "/base/data.csv",        "/base/detectorPos2D.csv",   "/base/landPos3D.csv",
      "/base/meslst.csv",  "/base/metalst.csv",     "/base/sPos3D.csv",          "/base/sourcePos2D.csv",
      "/base/stim.csv",    "/base/tavik_data_3d.snirf", "/base/temp",            "/base/temp/a.snirf",
      "/base/tmlst.csv",   "/out/a.snirf"};
  EXPECT_EQ(Changed(before, f.Tree()), expected);
  std::map<std::string, std::uintmax_t> binariesAfter;
  for (const auto& entry : fs::directory_iterator(BinDir())) binariesAfter[entry.path().string()] = entry.file_size();
  EXPECT_EQ(binariesAfter, binaries) << "nothing is written beside the programs";
}

TEST(SnirfDestination, StaysInTempWhateverTheDataFileIsCalled) {
  struct Case {
    const char* dataFile;
    const char* destination;
  } cases[] = {
      {"/d/a.datx", "/b/temp/a.snirf"},
      {"/d/../../etc/passwd.datx", "/b/temp/passwd.snirf"},
      {"../a.b.datx", "/b/temp/a.b.snirf"},
      {"/d/.datx", "/b/temp/.snirf"},
      {"/d/..datx", "/b/temp/..snirf"},
      {"/d/x/..", "/b/temp/..snirf"},
      {"/d/x/", "/b/temp/.snirf"},
      {"", "/b/temp/.snirf"},
      {"C:\\data\\a.datx", "/b/temp/C:\\data\\a.snirf"},
      {"/d/-x.datx", "/b/temp/-x.snirf"},
  };
  for (const Case& c : cases) {
    const std::string destination = SnirfDestination("/b/temp", c.dataFile);
    EXPECT_EQ(destination, c.destination) << c.dataFile;
    EXPECT_EQ(FolderOf(destination), "/b/temp") << c.dataFile;
  }
}

}  // namespace
}  // namespace ordwell::testing
