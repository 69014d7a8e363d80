#include "reader/data_file.h"

#include <span>

#include "platform/encoding.h"
#include "util/part_of_str.h"
#include "util/utf16_units.h"

namespace ordwell {
namespace {

//                                    Min Date Mode Start End Sampling Sensor Channels
constexpr HeaderLayout kDatxLayout{42, 4, 13, 14, 15, 9, 10, 37};
constexpr HeaderLayout kDatLayout{26, 1, 6, 8, 9, 24, -1, 21};

// The date field and the time field of the date line, as character positions.
constexpr size_t kDateFirst = 7, kDateLast = 16;
constexpr size_t kTimeFirst = 18, kTimeLast = 25;
// Within the ten date characters: the two separators written as "-".
constexpr size_t kDateSeparators[] = {5, 8};

// A line the caller promised; a missing one reads as empty rather than out of bounds.
std::string_view LineAt(const TextLines& lines, int index) {
  return index >= 0 && static_cast<size_t>(index) < lines.size() ? lines[static_cast<size_t>(index)]
                                                                   : std::string_view();
}

std::string_view MarkLabelOf(std::string_view line) {
  return GetPartOfStr(',', GetPartOfStr('=', line, 2), 2);
}

double SamplingPeriodOf(FileKind kind, std::string_view line) {
  if (kind == FileKind::datx) return GetPartOfStr('=', line, 2) == "Fast" ? kFastPeriod : kSlowPeriod;
  // A .dat file writes more after the speed word: only its first four characters count.
  return GetPartOfStr(';', line, 2).substr(0, 4) == "FAST" ? kFastPeriod : kSlowPeriod;
}

// Replaces the given character positions (from 1, UTF-16 units) that the text has.
std::string ReplaceUnits(std::string text, std::span<const size_t> positions, char replacement) {
  if (IsAscii(text)) {
    for (size_t p : positions)
      if (p <= text.size()) text[p - 1] = replacement;
    return text;
  }
  std::u16string units = ToUtf16(text);
  for (size_t p : positions)
    if (p <= units.size()) units[p - 1] = static_cast<char16_t>(replacement);
  return FromUtf16(units);
}

}  // namespace

const HeaderLayout& LayoutOf(FileKind kind) { return kind == FileKind::datx ? kDatxLayout : kDatLayout; }

std::optional<FileKind> FileKindFromPath(std::string_view path) {
  size_t slash = path.find_last_of("/\\");
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  size_t dot = name.rfind('.');
  std::string_view extension = dot == std::string_view::npos ? std::string_view() : name.substr(dot);
  if (extension == ".datx") return FileKind::datx;
  if (extension == ".dat") return FileKind::dat;
  return std::nullopt;
}

void ReadHeader(FileKind kind, const TextLines& fileLines, std::vector<std::string>& headerLines,
                HeaderValues& values) {
  const HeaderLayout& layout = LayoutOf(kind);
  headerLines.clear();
  for (int i = 0; i < layout.MinLineCount && static_cast<size_t>(i) < fileLines.size(); ++i)
    headerLines.emplace_back(fileLines[static_cast<size_t>(i)]);

  values.SamplingPeriod = SamplingPeriodOf(kind, LineAt(fileLines, layout.SamplingLine));
  values.SensorTypeText =
      kind == FileKind::datx ? std::string(GetPartOfStr('=', LineAt(fileLines, layout.SensorTypeLine), 2)) : "2x6";
  values.MeasureMode = std::string(GetPartOfStr('=', LineAt(fileLines, layout.ModeLine), 2));
  values.StartMark = std::string(MarkLabelOf(LineAt(fileLines, layout.StartMarkLine)));
  values.EndMark = std::string(MarkLabelOf(LineAt(fileLines, layout.EndMarkLine)));
}

MeasurementDateTime ReadMeasurementDateTime(FileKind kind, const std::vector<std::string>& headerLines) {
  const size_t dateLine = static_cast<size_t>(LayoutOf(kind).DateLine);
  const std::string_view line = dateLine < headerLines.size() ? std::string_view(headerLines[dateLine]) : "";
  MeasurementDateTime result;
  result.MeasurementDate = ReplaceUnits(CharactersBetween(line, kDateFirst, kDateLast), kDateSeparators, '-');
  result.MeasurementTime = CharactersBetween(line, kTimeFirst, kTimeLast);
  return result;
}

}  // namespace ordwell
