// `ordwell convert`: the arguments, the lines it prints and its exit status.
#include <sstream>

#include "app/command_line.h"
#include "form_fixture.h"

namespace ordwell::testing {
namespace {

TEST(CommandLineParse, Cases) {
  struct Case {
    std::vector<std::string> args;
    CommandKind kind;
    std::vector<std::string> files;
    const char* error;
  } cases[] = {
      {{}, CommandKind::kWindow, {}, ""},
      {{"--help"}, CommandKind::kHelp, {}, ""},
      {{"--version"}, CommandKind::kVersion, {}, ""},
      {{"convert", "a.datx", "b.dat"}, CommandKind::kConvert, {"a.datx", "b.dat"}, ""},
      {{"convert", "--", "-x.datx", "--user"}, CommandKind::kConvert, {"-x.datx", "--user"}, ""},
      {{"convert", "-o", "out", "a.datx"}, CommandKind::kConvert, {"a.datx"}, ""},
      {{"convert", "--user", "o.csv", "t.csv", "a.datx"}, CommandKind::kConvert, {"a.datx"}, ""},
      {{"convert"}, CommandKind::kUsageError, {}, "convert needs at least one FILE"},
      {{"convert", "--user", "o.csv"}, CommandKind::kUsageError, {}, "--user needs ORIGIN and OTHERS"},
      {{"convert", "-o"}, CommandKind::kUsageError, {}, "-o needs a folder"},
      {{"convert", "-q", "a.datx"}, CommandKind::kUsageError, {}, "unknown option \"-q\""},
      {{"frobnicate"}, CommandKind::kUsageError, {}, "unknown command \"frobnicate\""},
  };
  for (const Case& c : cases) {
    ParsedCommand cmd = ParseCommandLine(c.args);
    std::string label = c.args.empty() ? "(none)" : c.args[0] + "...";
    EXPECT_EQ(cmd.kind, c.kind) << label;
    EXPECT_EQ(cmd.error, c.error) << label;
    if (c.kind == CommandKind::kConvert) {
      EXPECT_EQ(cmd.options.files, c.files) << label;
    }
  }
  ParsedCommand user = ParseCommandLine({"convert", "--user", "o.csv", "t.csv", "-o", "d", "a.datx"});
  EXPECT_EQ(user.options.origin, "o.csv");
  EXPECT_EQ(user.options.others, "t.csv");
  EXPECT_EQ(user.options.outputDir, "d");
}

class CommandLineRun : public FormTest {
 protected:
  int Run(const ConvertOptions& options) {
    return RunConvert(options, FormServices{fs, launcher, clock, Charset::Ascii(), ".", ""}, out, err);
  }
  std::ostringstream out, err;
};

TEST_F(CommandLineRun, ConvertsEachFileAndReportsTheOthers) {
  fs.files["/data/a.datx"] = SmallRecording().Text();
  fs.files["/data/b.txt"] = "x";
  Recording unknown = SmallRecording();
  unknown.sensorType = "9x9";
  fs.files["/data/c.datx"] = unknown.Text();
  fs.files["/data/d.datx"] = "short\r\n";
  fs.files["/data/e.datx"] = SmallRecording().Text();
  launcher.behaviour = WritesOutputAfter(100);
  ConvertOptions options;
  options.files = {"/data/a.datx", "/data/b.txt", "/data/c.datx", "/data/d.datx", "/data/missing.datx", "/data/e.datx"};
  EXPECT_EQ(Run(options), kExitSomeFailed);
  EXPECT_EQ(out.str(), "/base/temp/a.snirf\n/base/temp/e.snirf\n");
  EXPECT_EQ(err.str(),
            "ordwell: /data/b.txt: not a \".datx\" or \".dat\" file (the extension must match exactly)\n"
            "ordwell: /data/c.datx: Sensor Type Error: \"9x9\" names no sensor type\n"
            "ordwell: /data/d.datx: too few lines: a \".datx\" file has at least 42 lines, this one has 1\n"
            "ordwell: Cannot open file \"/data/missing.datx\": No such file or directory\n");
}

TEST_F(CommandLineRun, OutputFolderGetsACopy) {
  fs.files["/data/a.datx"] = SmallRecording().Text();
  launcher.behaviour = WritesOutputAfter(100);
  ConvertOptions options;
  options.files = {"/data/a.datx"};
  options.outputDir = "/results/run1";
  EXPECT_EQ(Run(options), kExitConverted);
  EXPECT_EQ(out.str(), "/results/run1/a.snirf\n");
  EXPECT_EQ(fs.files["/results/run1/a.snirf"], fs.files["/base/temp/a.snirf"]);
  EXPECT_EQ(err.str(), "");
}

TEST_F(CommandLineRun, UserModeChecksTheOthersFileType) {
  fs.files["/data/a.datx"] = SmallRecording().Text();
  fs.files["/u/s_mni_origin_1.csv"] = "x";
  fs.files["/u/s_mni_others_3x8_1.csv"] = "x";
  ConvertOptions options;
  options.files = {"/data/a.datx"};
  options.origin = "/u/s_mni_origin_1.csv";
  options.others = "/u/s_mni_others_3x8_1.csv";
  EXPECT_EQ(Run(options), kExitSomeFailed);
  EXPECT_EQ(err.str(),
            "ordwell: /data/a.datx: Sensor Type Error: the data file names sensor type \"3x4\", the others file \"3x8\"\n");
}

}  // namespace
}  // namespace ordwell::testing
