#include "reader/sample_rows.h"

#include <algorithm>
#include <cstring>

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

// One row read in one pass, as far as the slots need: the mark as text and the
// integer (stoi) of every later field. Fields past the row's end read as empty.
class RowValues {
 public:
  // A .dat channel list may name any field up to 2^32; rows are far shorter, so the
  // store grows with the fields a row has, not with the field asked for.
  explicit RowValues(size_t wanted) : wanted_(wanted), values_(std::min<size_t>(wanted, 4096) + 1) {}

  void Read(std::string_view row) {
    const char* p = row.data();
    const char* const end = p + row.size();
    const char* comma = row.empty() ? nullptr : static_cast<const char*>(std::memchr(p, ',', row.size()));
    mark_ = std::string_view(p, static_cast<size_t>((comma ? comma : end) - p));
    size_t n = 2;
    for (; comma != nullptr && n <= wanted_; ++n) {
      if (n == values_.size()) values_.resize(2 * n);
      p = comma + 1;
      // Nearly every field is a short run of digits: convert it while looking for its
      // end, and leave every other form to stoi.
      const char* q = p;
      uint32_t v = 0;
      while (q < end && static_cast<unsigned char>(*q - '0') < 10) v = v * 10 + static_cast<uint32_t>(*q++ - '0');
      const size_t digits = static_cast<size_t>(q - p);
      if (digits > 0 && digits <= kPlainDigits && (q == end || *q == ',')) {
        values_[n] = static_cast<int32_t>(v);
      } else {
        const void* next = std::memchr(q, ',', static_cast<size_t>(end - q));
        q = next ? static_cast<const char*>(next) : end;
        values_[n] = stoi(std::string_view(p, static_cast<size_t>(q - p)));
      }
      comma = q < end ? q : nullptr;
    }
    read_ = n;
  }

  std::string_view Mark() const { return mark_; }
  // Field n (from 2) as stoi gives it: 0 past the row's end.
  int32_t Value(size_t n) const { return n < read_ ? values_[n] : 0; }

 private:
  static constexpr size_t kPlainDigits = 9;  // always within 32 bits
  size_t wanted_;
  std::string_view mark_;
  std::vector<int32_t> values_;  // [n] for field n; [0] and [1] unused
  size_t read_ = 0;              // fields 2..read_ - 1 are in values_
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

  RowValues fields(lastField);
  double t = 0.0;
  size_t line = firstRow;
  try {
    for (; line < fileLines.size(); ++line) {
      fields.Read(fileLines[line]);
      // The mark comes first: a row whose mark does not convert stores nothing.
      GetEVTField(fields.Mark(), t, marks);
      int32_t* values = samples.raw.AppendRow();
      for (const SlotFields& s : slots) {
        if (s.present) {
          values[0] = fields.Value(s.first);
          values[1] = fields.Value(s.first + 1);
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
