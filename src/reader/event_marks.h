#pragma once
// The mark field of each sample row, and the stimulus intervals made from the marks.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ordwell {

struct EventMarks {
  std::string MeasureMode;
  std::string StartMark;
  std::string EndMark;
  double StimStart = 0.0;
  double StimEnd = 0.0;
  std::vector<std::string> StimList;  // "onset,duration,1.0" rows

  // What every conversion starts with: no rows and no open interval.
  void Reset() {
    StimList.clear();
    StimStart = 0.0;
    StimEnd = 0.0;
  }
};

// The label of a mark code: "EVT1".."EVT5", "T1", "T2" or "" (no mark).
std::string_view MarkLabel(int32_t code);

// The mark field read as hexadecimal ("$" + field). Throws ConversionError
// "'$field' is not a valid integer value" when it does not convert (a long field
// shortened).
int32_t ParseMarkCode(std::string_view field);

// Decodes the mark of one sample row at time t (field 1 of s) and collects intervals.
void GetEVT(std::string_view s, double t, EventMarks& marks);
// The same with the mark field already cut out of the row.
void GetEVTField(std::string_view markField, double t, EventMarks& marks);

// "5.0,<d>,1.0" for a recording without intervals.
std::string DefaultStimRow(int sampleCount, double samplingPeriod);

}  // namespace ordwell
