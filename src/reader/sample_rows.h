#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "reader/channel_list.h"
#include "reader/data_file.h"
#include "reader/event_marks.h"

namespace ordwell {

// The raw readings of the active slots only, row-major: row r holds, for each active
// slot n in slot order, its first and its second wavelength value, exactly the
// columns 2n-1 and 2n of the data. Values are the integers read from the file.
class RawSamples {
 public:
  void Reset(int activeSlots, size_t expectedRows);
  int activeSlots() const { return activeSlots_; }
  size_t rows() const { return activeSlots_ == 0 ? rows_ : values_.size() / (2 * activeSlots_); }
  const int32_t* Row(size_t r) const { return values_.data() + r * 2 * activeSlots_; }
  // value of active channel n (1-based), wavelength w (1 or 2), row r (0-based)
  int32_t At(size_t r, int n, int w) const { return Row(r)[2 * (n - 1) + (w - 1)]; }
  int32_t* AppendRow();
  void Release();

 private:
  int activeSlots_ = 0;
  size_t rows_ = 0;  // counted separately when there is no active slot
  std::vector<int32_t> values_;
};

struct SampleTable {
  RawSamples raw;
  std::vector<double> times;  // running sum of the sampling period, from 0.0
  int SampleCount = 0;
};

// Reads every line from MinLineCount-1 to the end as a sample row: the mark decoder
// first, then the values of the active slots. A mark that does not convert throws
// ConversionError "<sourceName>:<line>: '$x' is not a valid integer value" (line
// counted from 1 in the file); SampleCount then keeps its previous value.
void ReadSampleRows(FileKind kind, const TextLines& fileLines, double samplingPeriod,
                    const ChannelTable& table, EventMarks& marks, SampleTable& samples,
                    const std::string& sourceName);

}  // namespace ordwell
