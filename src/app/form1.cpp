#include "app/form1.h"

#include "platform/errors.h"
#include "platform/executable_path.h"
#include "probe/sensor_types.h"
#include "snirf/intermediate_set.h"
#include "util/part_of_str.h"

namespace ordwell {

namespace {
constexpr const char* kSensorTypeError = "Sensor Type Error";
}

TForm1::TForm1(FormUi& ui, FormServices services, ConverterWaitMode waitMode)
    : ui_(ui), services_(std::move(services)), waitMode_(waitMode) {}

template <typename Body>
void TForm1::Guarded(Body&& body) {
  try {
    body();
  } catch (const std::exception& e) {
    lastOutcome_ = ReadOutcome::kFailed;
    lastError_ = e.what();
    ui_.ShowError(lastError_);
  }
}

void TForm1::SetText(Panel panel, const std::string& text) {
  panels_[static_cast<int>(panel)] = text;
  ui_.ShowText(panel, text);
}

void TForm1::SetEnabled(Button button, bool enabled) {
  enabled_[static_cast<int>(button)] = enabled;
  // The read button stays off while a conversion waits for the converter.
  ui_.ShowEnabled(button, enabled && !(button == Button::RdBtn && converterWaiting_));
}

void TForm1::SetHourglass(bool on) { ui_.SetCursor(on ? CursorShape::Hourglass : CursorShape::Default); }

void TForm1::ClearAfterAbort() {
  SetText(Panel::P_MSG, "");
  SetText(Panel::P_FILE, "");
  SetText(Panel::P_SNIRF, "");
}

void TForm1::FormCreate() {
  FileSystem& fs = services_.fs;
  try {
    baseDir_ = fs.CurrentDirectory();
  } catch (const std::exception& e) {
    // A current folder removed under the tool: say so instead of ending it; every
    // later step reports its own file error.
    startupError_ = e.what();
    ui_.ShowError(startupError_);
  }
  marks_ = EventMarks{};
  stdPos3DDir_ = StdPos3DFolder();
  usrPos3DDir_ = JoinPath(baseDir_, "USR_POS3D");
  try {
    fs.CreateDirectories(TempDir());
  } catch (const std::exception&) {
    // Not fatal here: a later copy into temp reports its own error.
  }
  stdPositions_.StdArAlDistance = 150.0;

  positionMode_ = 0;
  ui_.ShowPositionMode(0);
  for (Panel p : {Panel::P_FILE, Panel::P_TYP, Panel::P_ORG, Panel::P_OTHER, Panel::P_TYP1, Panel::P_SNIRF, Panel::P_MSG})
    SetText(p, "");
  SetEnabled(Button::RdBtn, true);
  SetEnabled(Button::ExitBtn, true);
  SetEnabled(Button::OrgBtn, false);
  SetEnabled(Button::OtherBtn, false);
  if (baseDir_.empty()) return;  // the error above says why

  try {
    PositionFileContext ctx{fs, services_.ansi, services_.decimalSeparator};
    stdPositions_.GetStdPOS3D(ctx, stdPos3DDir_);
  } catch (const std::exception& e) {
    startupError_ = e.what();
    ui_.ShowError(startupError_);
  }
}

std::string TForm1::StdPos3DFolder() const {
  std::string own = JoinPath(baseDir_, "STD_POS3D");
  if (services_.fs.DirectoryExists(own) || services_.installFolder.empty()) return own;
  std::string installed = JoinPath(services_.installFolder, "STD_POS3D");
  return services_.fs.DirectoryExists(installed) ? installed : own;
}

std::string TForm1::ConverterPath() const {
  std::string name = std::string(kConverterName) + kExecutableSuffix;
  std::string own = JoinPath(baseDir_, name);
  if (services_.fs.FileExists(own) || services_.installFolder.empty()) return own;
  std::string installed = JoinPath(services_.installFolder, name);
  return services_.fs.FileExists(installed) ? installed : own;
}

void TForm1::UpdateReadButton() {
  SetEnabled(Button::RdBtn, !Text(Panel::P_ORG).empty() && !Text(Panel::P_OTHER).empty());
}

void TForm1::RG_POSClick(int item) {
  positionMode_ = item == 1 ? 1 : 0;
  ui_.ShowPositionMode(positionMode_);
  bool user = positionMode_ == 1;
  SetEnabled(Button::OrgBtn, user);
  SetEnabled(Button::OtherBtn, user);
  SetEnabled(Button::RdBtn, !user);
  for (Panel p : {Panel::P_ORG, Panel::P_OTHER, Panel::P_TYP, Panel::P_TYP1, Panel::P_MSG}) SetText(p, "");
}

void TForm1::OrgBtnClick() {
  Guarded([&] {
    std::optional<std::string> chosen = ui_.AskOpenFile(Dialog::OpenDialog2, usrPos3DDir_);
    if (!chosen) return;
    SetText(Panel::P_ORG, *chosen);
    UpdateReadButton();
  });
}

void TForm1::OtherBtnClick() {
  Guarded([&] {
    SetText(Panel::P_TYP1, "");
    std::optional<std::string> chosen = ui_.AskOpenFile(Dialog::OpenDialog3, usrPos3DDir_);
    if (!chosen) return;
    SetText(Panel::P_OTHER, *chosen);
    UpdateReadButton();
    const std::string& other = Text(Panel::P_OTHER);
    if (!other.empty() && services_.fs.FileExists(other))
      SetText(Panel::P_TYP1, std::string(GetPartOfStr('_', FileNameOf(other), 4)));
  });
}

void TForm1::ExitBtnClick() {
  abortRequested_ = true;
  ui_.CloseWindow();
}

bool TForm1::FormCloseQuery() {
  abortRequested_ = true;
  return true;
}

void TForm1::RdBtnClick() {
  if (converterWaiting_) {
    // The set would be rewritten under the converter's feet.
    lastOutcome_ = ReadOutcome::kRefused;
    lastError_ = "A conversion is still waiting for the converter; start the next one when it has ended";
    ui_.ShowError(lastError_);
    return;
  }
  lastOutcome_ = ReadOutcome::kNone;
  lastError_.clear();
  Guarded([&] { ReadCommand(); });
}

void TForm1::ReadCommand() {
  abortRequested_ = false;
  SetText(Panel::P_MSG, "");
  SetText(Panel::P_SNIRF, "");
  SetText(Panel::P_FILE, "");

  std::optional<std::string> chosen = ui_.AskOpenFile(Dialog::OpenDialog1, baseDir_);
  if (!chosen) {
    lastOutcome_ = ReadOutcome::kCancelled;
    return;
  }
  const std::string path = *chosen;
  std::optional<FileKind> kind = FileKindFromPath(path);
  if (!kind) {
    lastOutcome_ = ReadOutcome::kNotDataFile;
    return;
  }
  fileKind_ = *kind;
  fileLines_ = ReadTextFile(services_.fs, path, services_.ansi);
  if (fileLines_.size() < static_cast<size_t>(LayoutOf(fileKind_).MinLineCount)) {
    lastOutcome_ = ReadOutcome::kTooShort;
    return;
  }

  // A NUL would end the recording early and drop the rows after it without a word.
  if (fileLines_.textAfterNul())
    throw ConversionError(Located(path, static_cast<long>(fileLines_.size()),
                                  "a NUL character ends the text in the middle of the file; the lines after it "
                                  "would be lost"));
  marks_.Reset();
  SetText(Panel::P_FILE, path);
  ReadHeader(fileKind_, fileLines_, headerLines_, header_);
  marks_.MeasureMode = header_.MeasureMode;
  marks_.StartMark = header_.StartMark;
  marks_.EndMark = header_.EndMark;
  SetText(Panel::P_TYP, header_.SensorTypeText);

  if (!ResolveSensorType()) {
    SetText(Panel::P_MSG, kSensorTypeError);
    lastOutcome_ = ReadOutcome::kSensorTypeError;
    return;
  }

  ReadChannelList(fileKind_, ChannelSlotCount(sensorTypeIndex_), fileLines_, channelTable_);
  CheckPairRows();
  ReadSampleRows(fileKind_, fileLines_, header_.SamplingPeriod, channelTable_, marks_, samples_, path);
  // Everything needed of the text is read: let the recording go before the set is
  // written and the converter runs beside this process.
  fileLines_ = TextLines();
  WriteIntermediateFiles();
  SavBtnClick();
}

bool TForm1::ResolveSensorType() {
  std::optional<int> type = SensorTypeFromText(header_.SensorTypeText);
  // A text that names no type leaves nothing to convert with: the previous file's
  // tables would describe another probe.
  if (!type) return false;
  sensorTypeIndex_ = *type;
  if (positionMode_ == 1) {
    std::optional<int> userType = SensorTypeFromText(Text(Panel::P_TYP1));
    if (userType != type) return false;
  }
  return true;
}

void TForm1::CheckPairRows() const {
  int active = channelTable_.ActiveCount();
  int rows = PairRowCount(sensorTypeIndex_);
  if (active > rows)
    throw PlatformError(Located(Text(Panel::P_FILE), LayoutOf(fileKind_).ChannelListLine + 1,
                                "the channel list has " + std::to_string(active) + " active channels, but sensor type " +
                                    header_.SensorTypeText + " has only " + std::to_string(rows) +
                                    " source-detector pairs"));
}

void TForm1::WriteIntermediateFiles() {
  ConversionResult result;
  result.dataFilePath = Text(Panel::P_FILE);
  result.kind = fileKind_;
  result.headerLines = &headerLines_;
  result.SensorTypeIndex = sensorTypeIndex_;
  result.table = &channelTable_;
  result.samples = &samples_;
  snirfRecord_.formatVersion = "1.1";
  Layout2D layout = FillRecord(snirfRecord_, result);

  IntermediateSetWriter writer(services_.fs, baseDir_, services_.ansi);
  writer.WriteRecordFiles(snirfRecord_, layout, channelTable_);
  Write3DStep(writer);
  if (marks_.StimList.empty()) marks_.StimList.push_back(DefaultStimRow(samples_.SampleCount, header_.SamplingPeriod));
  writer.WriteStim(marks_.StimList);
}

void TForm1::Write3DStep(IntermediateSetWriter& writer) {
  const int t = sensorTypeIndex_;
  if (positionMode_ == 0) {
    if (stdPositions_.Available(t))
      writer.Write3D(stdPositions_.StdLandmarkList, stdPositions_.StdSourceLists[t], stdPositions_.StdDetectorLists[t]);
    else
      writer.Delete3D();
    return;
  }
  FileSystem& fs = services_.fs;
  const std::string& org = Text(Panel::P_ORG);
  const std::string& other = Text(Panel::P_OTHER);
  std::string originPath = (!org.empty() && fs.FileExists(org)) ? org : std::string();
  if (other.empty() || !fs.FileExists(other) || originPath.empty()) {
    writer.Delete3D();
    return;
  }
  PositionFileContext ctx{fs, services_.ansi, services_.decimalSeparator};
  if (userPositions_.uSetPOS3D(ctx, t, originPath, other) == 1)
    writer.Write3D(userPositions_.UserLandmarkList, userPositions_.UserSourceLists[t], userPositions_.UserDetectorLists[t]);
  else
    writer.Delete3D();
}

void TForm1::SavBtnClick() {
  ConverterPaths paths;
  paths.converter = ConverterPath();
  paths.workingDir = baseDir_;
  paths.output = JoinPath(baseDir_, kConverterOutput);
  paths.destination = SnirfDestination(TempDir(), Text(Panel::P_FILE));

  converterWaiting_ = true;
  SetEnabled(Button::RdBtn, Enabled(Button::RdBtn));
  struct WaitEnds {
    TForm1& form;
    ~WaitEnds() {
      form.converterWaiting_ = false;
      form.SetEnabled(Button::RdBtn, form.enabled_[static_cast<int>(Button::RdBtn)]);
    }
  } waitEnds{*this};

  ConverterRun run(services_.fs, services_.launcher, services_.clock, *this, waitMode_);
  ConverterEnd end = run.Run(paths);
  lastOutcome_ = end == ConverterEnd::kCopied ? ReadOutcome::kConverted : ReadOutcome::kAborted;
}

}  // namespace ordwell
