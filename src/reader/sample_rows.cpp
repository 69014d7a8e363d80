#include "reader/sample_rows.h"

#include <algorithm>

#include "platform/errors.h"
#include "util/stoi.h"

namespace ordwell {

void RawSamples::Reset(int activeSlots, size_t expectedRows) {
  activeSlots_ = std::max(activeSlots, 0);
  rows_ = 0;
  values_.clear();
  values_.reserve(expectedRows * 2 * static_cast<size_t>(activeSlots_));
}

int32_t* RawSamples::AppendRow() {
  const size_t start = values_.size();
  values_.resize(start + 2 * static_cast<size_t>(activeSlots_));
  ++rows_;
  return values_.data() + start;
}

void RawSamples::Release() {
  activeSlots_ = 0;
  rows_ = 0;
  values_ = std::vector<int32_t>();
}

namespace {

// Where the two value fields of one active slot are; none for a slot whose channel
// number is negative (a .dat list may hold one): it stores zeros.
struct SlotFields {
  bool present;
  size_t first;  // field number (from 1) of the first wavelength; the second follows
};

std::vector<SlotFields> ActiveSlotFields(const ChannelTable& table) {
  std::vector<SlotFields> fields;
  for (int k = 1; k <= table.ChannelCount; ++k) {
    const ChannelSlot& slot = table.slot[static_cast<size_t>(k)];
    if (slot.channel == 0) continue;
    if (slot.channel < 0)
      fields.push_back({false, 0});
    else
      fields.push_back({true, 2 * static_cast<size_t>(slot.channel) + static_cast<size_t>(slot.offset)});
  }
  return fields;
}

// The start offsets of the first fields of one row, found in one pass and only as
// far as the slots need. Field n (from 1) starts at starts[n - 1] and ends before the
// separator at starts[n] - 1; past the last field found one entry marks its end.
class RowFields {
 public:
  explicit RowFields(size_t wanted) : wanted_(std::max<size_t>(wanted, 1)) {
    starts_.reserve(std::min<size_t>(wanted_ + 1, 4096));
  }

  void Split(std::string_view row) {
    row_ = row;
    starts_.clear();
    starts_.push_back(0);
    // Fields are a few characters long: a plain scan beats a library call per field.
    const size_t size = row.size();
    for (size_t pos = 0; pos < size && starts_.size() <= wanted_; ++pos)
      if (row[pos] == ',') starts_.push_back(pos + 1);
    if (starts_.size() <= wanted_) starts_.push_back(size + 1);
  }

  // Field n (from 1); empty beyond the row's end.
  std::string_view Field(size_t n) const {
    if (n == 0 || n >= starts_.size()) return {};
    return row_.substr(starts_[n - 1], starts_[n] - 1 - starts_[n - 1]);
  }

 private:
  size_t wanted_;
  std::string_view row_;
  std::vector<size_t> starts_;
};

}  // namespace

void ReadSampleRows(FileKind kind, const TextLines& fileLines, double samplingPeriod,
                    const ChannelTable& table, EventMarks& marks, SampleTable& samples,
                    const std::string& sourceName) {
  const size_t firstRow = static_cast<size_t>(LayoutOf(kind).MinLineCount - 1);
  const size_t rowCount = fileLines.size() > firstRow ? fileLines.size() - firstRow : 0;

  const std::vector<SlotFields> slots = ActiveSlotFields(table);
  size_t lastField = 1;  // the mark
  for (const SlotFields& s : slots)
    if (s.present) lastField = std::max(lastField, s.first + 1);

  samples.raw.Reset(static_cast<int>(slots.size()), rowCount);
  samples.times.clear();
  samples.times.reserve(rowCount);

  RowFields fields(lastField);
  double t = 0.0;
  size_t line = firstRow;
  try {
    for (; line < fileLines.size(); ++line) {
      fields.Split(fileLines[line]);
      // The mark comes first: a row whose mark does not convert stores nothing.
      GetEVTField(fields.Field(1), t, marks);
      int32_t* values = samples.raw.AppendRow();
      for (const SlotFields& s : slots) {
        if (s.present) {
          values[0] = stoi(fields.Field(s.first));
          values[1] = stoi(fields.Field(s.first + 1));
        }
        values += 2;
      }
      samples.times.push_back(t);
      t += samplingPeriod;
    }
  } catch (const ConversionError& e) {
    throw ConversionError(Located(sourceName, static_cast<long>(line + 1), e.what()));
  }
  samples.SampleCount = static_cast<int>(rowCount);
}

}  // namespace ordwell
