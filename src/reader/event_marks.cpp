#include "reader/event_marks.h"

#include <cmath>
#include <iterator>

#include "platform/errors.h"
#include "util/number_text.h"
#include "util/part_of_str.h"
#include "util/stoi.h"

namespace ordwell {
namespace {

// Bits 0..4 of a mark code: the device's five event inputs, lowest first.
constexpr std::string_view kEventLabels[] = {"EVT1", "EVT2", "EVT3", "EVT4", "EVT5"};

// The trigger byte (bits 8..15) overrides the event bits when it is not 0.
struct TriggerRange {
  uint32_t first, last;
  std::string_view label;
};
constexpr TriggerRange kTriggerRanges[] = {{1, 49, "T1"}, {100, 109, ""}};
constexpr std::string_view kOtherTrigger = "T2";

// How a measurement mode pairs marks into intervals.
enum class Pairing { none, udp, startEnd };
struct ModeRule {
  std::string_view name;
  Pairing pairing;
};
constexpr ModeRule kModes[] = {
    {"UDP", Pairing::udp}, {"AUTO", Pairing::startEnd}, {"MANU", Pairing::startEnd}, {"MANUAL", Pairing::startEnd}};

Pairing PairingOf(std::string_view mode) {
  for (const ModeRule& rule : kModes)
    if (rule.name == mode) return rule.pairing;
  return Pairing::none;
}

void CloseInterval(EventMarks& marks, double t) {
  marks.StimEnd = t;
  std::string row;
  AppendFixed(row, marks.StimStart, 5);
  row += ',';
  AppendFixed(row, marks.StimEnd - marks.StimStart, 5);
  row += ",1.0";
  marks.StimList.push_back(std::move(row));
}

}  // namespace

std::string_view MarkLabel(int32_t code) {
  const uint32_t bits = static_cast<uint32_t>(code);
  const uint32_t trigger = (bits >> 8) & 0xFFu;
  if (trigger != 0) {
    for (const TriggerRange& range : kTriggerRanges)
      if (trigger >= range.first && trigger <= range.last) return range.label;
    return kOtherTrigger;
  }
  for (size_t bit = 0; bit < std::size(kEventLabels); ++bit)
    if (bits & (1u << bit)) return kEventLabels[bit];
  return {};
}

int32_t ParseMarkCode(std::string_view field) {
  std::optional<uint32_t> code = ParseHexDigits(field);
  if (!code) throw ConversionError("'$" + Shortened(field) + "' is not a valid integer value");
  return static_cast<int32_t>(*code);
}

void GetEVTField(std::string_view markField, double t, EventMarks& marks) {
  const std::string_view label = MarkLabel(ParseMarkCode(markField));
  switch (PairingOf(marks.MeasureMode)) {
    case Pairing::udp:
      // Every T2 measures from the last T1; the onset stays for later T2 marks.
      if (label == "T1")
        marks.StimStart = t;
      else if (label == "T2")
        CloseInterval(marks, t);
      break;
    case Pairing::startEnd:
      // An onset of 0.0 means no open interval, so a start mark at t = 0 opens none.
      if (marks.StimStart == 0.0 && label == marks.StartMark) {
        marks.StimStart = t;
      } else if (label == marks.EndMark) {
        CloseInterval(marks, t);
        marks.StimStart = 0.0;
      }
      break;
    case Pairing::none:
      break;
  }
}

void GetEVT(std::string_view s, double t, EventMarks& marks) { GetEVTField(GetPartOfStr(',', s, 1), t, marks); }

std::string DefaultStimRow(int sampleCount, double samplingPeriod) {
  const double x = sampleCount * samplingPeriod - 5.0;
  const double d = std::trunc(x) - 5.0;
  std::string row = "5.0,";
  AppendFixed(row, d, 1);
  row += ",1.0";
  return row;
}

}  // namespace ordwell
