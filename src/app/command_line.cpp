#include "app/command_line.h"

#include <filesystem>
#include <ostream>

#include "platform/errors.h"
#include "platform/executable_path.h"
#include "platform/headless_ui.h"
#include "platform/number_format.h"
#include "reader/data_file.h"

namespace ordwell {
namespace {

std::string Absolute(const std::string& path) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(path, ec);
  return ec ? path : p.lexically_normal().string();
}

// A NUL ends the text of a file: without its byte-order mark a UTF-16 recording ends
// after its first character and looks merely short.
bool EndsAtNul(FileSystem& fs, const std::string& file) {
  try {
    FileContent content = fs.MapFile(file);
    const std::string_view bytes = content.bytes;
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") return false;
    return bytes.find('\0') != std::string_view::npos;
  } catch (const std::exception&) {
    return false;
  }
}

std::string TooShortReason(FileSystem& fs, const std::string& file, size_t lines) {
  std::optional<FileKind> kind = FileKindFromPath(file);
  int needed = kind ? LayoutOf(*kind).MinLineCount : 0;
  std::string reason = "too few lines: a \"" + std::string(kind == FileKind::dat ? ".dat" : ".datx") +
                       "\" file has at least " + std::to_string(needed) + " lines, this one has " +
                       std::to_string(lines);
  if (EndsAtNul(fs, file)) reason += "; a NUL character ends its text (a UTF-16 file needs its byte-order mark)";
  return reason;
}

std::string NotConvertedReason(FileSystem& fs, const TForm1& form, const std::string& file) {
  switch (form.LastOutcome()) {
    case ReadOutcome::kNotDataFile:
      return "not a \".datx\" or \".dat\" file (the extension must match exactly)";
    case ReadOutcome::kTooShort:
      return TooShortReason(fs, file, form.FileLineCount());
    case ReadOutcome::kSensorTypeError:
      if (form.PositionMode() == 1)
        return "Sensor Type Error: the data file names sensor type \"" + Shortened(form.Text(Panel::P_TYP)) +
               "\", the others file \"" + Shortened(form.Text(Panel::P_TYP1)) + "\"";
      return "Sensor Type Error: \"" + Shortened(form.Text(Panel::P_TYP)) + "\" names no sensor type";
    case ReadOutcome::kFailed:
    case ReadOutcome::kRefused:
      return form.LastError();
    case ReadOutcome::kAborted:
      return "the conversion was stopped";
    case ReadOutcome::kCancelled:
    case ReadOutcome::kNone:
    case ReadOutcome::kConverted:
      break;
  }
  return "not converted";
}

}  // namespace

const char* UsageText() {
  return "usage: ordwell                      open the window\n"
         "       ordwell convert [--user ORIGIN OTHERS] [-o DIR] [--] FILE...\n"
         "\n"
         "Converts each Tavik data file (.datx or .dat) into a SNIRF file in the folder\n"
         "temp of the current folder, and with -o also into DIR. The current folder is\n"
         "the base folder: the intermediate files, STD_POS3D and the converter are there.\n"
         "\n"
         "  --user ORIGIN OTHERS  3D positions from the subject's own origin and others\n"
         "                        files (AR_AL.txt beside ORIGIN) instead of STD_POS3D\n"
         "  -o DIR                also copy every SNIRF file into DIR\n"
         "  --help, --version\n"
         "\n"
         "Exit status: 0 every file converted, 1 some file not converted, 2 usage error.\n";
}

ParsedCommand ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommand cmd;
  if (args.empty()) return cmd;
  auto usage = [&](std::string error) {
    cmd.kind = CommandKind::kUsageError;
    cmd.error = std::move(error);
    return cmd;
  };
  if (args[0] == "--help" || args[0] == "-h") {
    cmd.kind = CommandKind::kHelp;
    return cmd;
  }
  if (args[0] == "--version") {
    cmd.kind = CommandKind::kVersion;
    return cmd;
  }
  if (args[0] != "convert") return usage("unknown command \"" + args[0] + "\"");
  cmd.kind = CommandKind::kConvert;
  bool filesOnly = false;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (filesOnly || a.empty() || a[0] != '-' || a == "-") {
      cmd.options.files.push_back(a);
    } else if (a == "--") {
      filesOnly = true;
    } else if (a == "--help" || a == "-h") {
      cmd.kind = CommandKind::kHelp;
      return cmd;
    } else if (a == "--user") {
      if (i + 2 >= args.size()) return usage("--user needs ORIGIN and OTHERS");
      if (cmd.options.origin) return usage("--user given twice");
      cmd.options.origin = args[++i];
      cmd.options.others = args[++i];
    } else if (a == "-o" || a == "--output") {
      if (i + 1 >= args.size()) return usage(a + " needs a folder");
      if (cmd.options.outputDir) return usage(a + " given twice");
      cmd.options.outputDir = args[++i];
    } else {
      return usage("unknown option \"" + a + "\"");
    }
  }
  if (cmd.options.files.empty()) return usage("convert needs at least one FILE");
  return cmd;
}

FormServices MachineServices() {
  return FormServices{RealFileSystem(), PosixProcessLauncher(), SystemTickSource(), Charset::FromLocale(),
                      LocaleDecimalSeparator(), ExecutableFolder()};
}

int RunConvert(const ConvertOptions& options, FormServices services, std::ostream& out, std::ostream& err) {
  FileSystem& fs = services.fs;
  HeadlessUi ui;
  TForm1 form(ui, std::move(services), ConverterWaitMode::kWaitForExit);
  form.FormCreate();
  if (!form.StartupError().empty()) err << "ordwell: " << form.StartupError() << "\n";
  if (form.BaseDir().empty()) return kExitSomeFailed;  // no base folder to convert in

  if (options.origin) {
    form.RG_POSClick(1);
    ui.Answer(Dialog::OpenDialog2, Absolute(*options.origin));
    form.OrgBtnClick();
    ui.Answer(Dialog::OpenDialog3, Absolute(*options.others));
    form.OtherBtnClick();
  }
  std::string outputDir;
  if (options.outputDir) {
    outputDir = Absolute(*options.outputDir);
    try {
      fs.CreateDirectories(outputDir);
    } catch (const std::exception& e) {
      err << "ordwell: " << e.what() << "\n";
      return kExitSomeFailed;
    }
  }

  int status = kExitConverted;
  for (const std::string& file : options.files) {
    const std::string path = Absolute(file);
    ui.Answer(Dialog::OpenDialog1, path);
    ui.errors.clear();
    form.RdBtnClick();
    if (form.LastOutcome() != ReadOutcome::kConverted) {
      std::string reason = NotConvertedReason(fs, form, path);
      // Most errors already name the file; naming it twice helps nobody.
      if (reason.find(path) != std::string::npos) err << "ordwell: " << reason << "\n";
      else err << "ordwell: " << file << ": " << reason << "\n";
      status = kExitSomeFailed;
      continue;
    }
    std::string result = form.Text(Panel::P_SNIRF);
    if (!outputDir.empty()) {
      std::string copy = JoinPath(outputDir, FileNameOf(result));
      try {
        CopyReplacing(fs, result, copy);
      } catch (const std::exception& e) {
        err << "ordwell: " << file << ": " << e.what() << "\n";
        status = kExitSomeFailed;
        continue;
      }
      result = copy;
    }
    out << result << "\n" << std::flush;
  }
  return status;
}

}  // namespace ordwell
