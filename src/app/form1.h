#pragma once
// The main form: every handler of the tool and the fixed order of a conversion's
// steps. It keeps the state of the controls and shows it through a FormUi, so the
// window and the command line drive exactly the same code.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/encoding.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/ui.h"
#include "probe/positions_3d.h"
#include "reader/channel_list.h"
#include "reader/data_file.h"
#include "reader/event_marks.h"
#include "reader/sample_rows.h"
#include "snirf/converter_run.h"
#include "snirf/snirf_record.h"

namespace ordwell {

struct FormServices {
  FileSystem& fs;
  ProcessLauncher& launcher;
  TickSource& clock;
  Charset ansi;
  std::string decimalSeparator;
  // Where the tool is installed: the converter and the standard library are taken
  // from there when the base folder has none of its own.
  std::string installFolder;
};

// How a read command ended, for front ends that report more than the window does.
enum class ReadOutcome {
  kNone,
  kRefused,          // another conversion is still waiting for the converter
  kCancelled,        // the data file dialog was cancelled
  kNotDataFile,      // neither ".datx" nor ".dat"
  kTooShort,         // fewer lines than the kind needs
  kSensorTypeError,  // "Sensor Type Error"
  kFailed,           // an error ended the command (see LastError)
  kAborted,          // Exit or the close box during the converter wait
  kConverted,        // the SNIRF copy is in P_SNIRF
};

inline constexpr const char* kConverterName = "Brenlow";

class TForm1 : private ConverterRunHost {
 public:
  TForm1(FormUi& ui, FormServices services, ConverterWaitMode waitMode);

  // Handlers.
  void FormCreate();
  void RdBtnClick();
  void RG_POSClick(int item);
  void OrgBtnClick();
  void OtherBtnClick();
  void ExitBtnClick();
  bool FormCloseQuery();
  void SavBtnClick();

  // The controls' state as the user sees it.
  const std::string& Text(Panel panel) const { return panels_[static_cast<int>(panel)]; }
  bool Enabled(Button button) const { return enabled_[static_cast<int>(button)]; }
  int PositionMode() const { return positionMode_; }
  bool AbortRequested() override { return abortRequested_; }

  ReadOutcome LastOutcome() const { return lastOutcome_; }
  const std::string& LastError() const { return lastError_; }
  // The error raised while the standard library loaded at start-up, if any.
  const std::string& StartupError() const { return startupError_; }

  // Lines of the data file last read; kept when it was too short to convert.
  size_t FileLineCount() const { return fileLines_.size(); }

  const std::string& BaseDir() const { return baseDir_; }
  std::string TempDir() const { return JoinPath(baseDir_, "temp"); }
  std::string ConverterPath() const;
  const StdPositionLibrary& StdPositions() const { return stdPositions_; }
  int SensorTypeIndex() const { return sensorTypeIndex_; }
  const EventMarks& Marks() const { return marks_; }

 private:
  // ConverterRunHost
  void SetStatus(const std::string& text) override { SetText(Panel::P_MSG, text); }
  void SetResultPath(const std::string& text) override { SetText(Panel::P_SNIRF, text); }
  void ClearAfterAbort() override;
  void SetHourglass(bool on) override;
  void ProcessMessages() override { ui_.ProcessMessages(); }

  void SetText(Panel panel, const std::string& text);
  void SetEnabled(Button button, bool enabled);
  void UpdateReadButton();
  // Runs a handler body; an error ends it and goes to the error box.
  template <typename Body>
  void Guarded(Body&& body);

  // Steps of the read command.
  void ReadCommand();
  bool ResolveSensorType();
  void CheckPairRows() const;
  void WriteIntermediateFiles();
  void Write3DStep(class IntermediateSetWriter& writer);
  std::string StdPos3DFolder() const;

  FormUi& ui_;
  FormServices services_;
  ConverterWaitMode waitMode_;

  std::array<std::string, kPanelCount> panels_{};
  std::array<bool, kButtonCount> enabled_{};
  int positionMode_ = 0;
  bool abortRequested_ = false;
  bool converterWaiting_ = false;
  ReadOutcome lastOutcome_ = ReadOutcome::kNone;
  std::string lastError_;
  std::string startupError_;

  std::string baseDir_;
  std::string stdPos3DDir_;
  std::string usrPos3DDir_;

  // Conversion state, run-wide.
  FileKind fileKind_ = FileKind::datx;
  TextLines fileLines_;
  std::vector<std::string> headerLines_;
  HeaderValues header_;
  int sensorTypeIndex_ = 0;
  ChannelTable channelTable_;
  SampleTable samples_;
  EventMarks marks_;
  SNIRF snirfRecord_;
  StdPositionLibrary stdPositions_;
  UserPositions userPositions_;
};

}  // namespace ordwell
