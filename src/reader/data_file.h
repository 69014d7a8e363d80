#pragma once
// The two kinds of device file and where their header lines are.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_file.h"

namespace ordwell {

enum class FileKind { datx, dat };

struct HeaderLayout {
  int MinLineCount;
  int DateLine;
  int ModeLine;
  int StartMarkLine;
  int EndMarkLine;
  int SamplingLine;
  int SensorTypeLine;  // -1: the kind has none
  int ChannelListLine;
};

const HeaderLayout& LayoutOf(FileKind kind);

// The kind from the extension of the file name (from its last ".", exact, case
// included): ".datx" or ".dat"; nothing for any other extension.
std::optional<FileKind> FileKindFromPath(std::string_view path);

inline constexpr double kFastPeriod = 0.08192;
inline constexpr double kSlowPeriod = 0.65536;

struct HeaderValues {
  double SamplingPeriod = 0.0;
  std::string SensorTypeText;
  std::string MeasureMode;
  std::string StartMark;
  std::string EndMark;
};

// Fills headerLines with lines 0..MinLineCount-1 and sets the header values.
// The caller has checked that fileLines has at least MinLineCount lines.
void ReadHeader(FileKind kind, const TextLines& fileLines, std::vector<std::string>& headerLines,
                HeaderValues& values);

struct MeasurementDateTime {
  std::string MeasurementDate;
  std::string MeasurementTime;
};

// The date (characters 7..16, 5th and 8th replaced by "-") and time (characters
// 18..25) of the date line; a short line gives what it has.
MeasurementDateTime ReadMeasurementDateTime(FileKind kind, const std::vector<std::string>& headerLines);

}  // namespace ordwell
