// data.csv, streamed: one line per time point, one value per measurement-list entry.
#include <algorithm>
#include <string>
#include <vector>

#include "converter/intermediate_set.h"
#include "converter/line_stream.h"
#include "converter/set_text.h"
#include "platform/errors.h"

namespace brenlow {
namespace {

// Appends the values of line `row` to `out`.
void AppendRow(std::string_view line, size_t channels, const std::string& path, size_t row, std::vector<double>& out) {
  // A trailing comma is left when the probe's last channel slot was switched off.
  if (!line.empty() && line.back() == ',') line.remove_suffix(1);
  const size_t fields = line.empty() ? 0 : 1 + static_cast<size_t>(std::count(line.begin(), line.end(), ','));
  if (fields != channels)
    FailAt(path, row, "expected " + std::to_string(channels) + " values (one per measurement-list entry), found " +
                          std::to_string(fields));
  size_t start = 0;
  for (size_t k = 1; k <= fields; ++k) {
    const size_t comma = line.find(',', start);
    const std::string_view text = line.substr(start, comma == std::string_view::npos ? comma : comma - start);
    std::optional<double> v = ParseNumber(text);
    if (!v) FailAt(path, row, "value " + std::to_string(k) + " " + Quoted(text) + " is not a number");
    out.push_back(*v);
    start = comma + 1;
  }
}

}  // namespace

void StreamDataRows(const IntermediateSet& set, DataRowSink& sink) {
  const size_t channels = set.entries.size();
  const size_t rows = set.time.size();
  constexpr size_t kBlockRows = 4096;
  std::vector<double> block;
  block.reserve(std::min(rows, kBlockRows) * channels);
  size_t row = 0, blockStart = 0;
  LineStream in(set.dataPath);
  std::string_view line;
  while (in.Next(line)) {
    if (row == rows)
      FailAt(set.dataPath, row, "more data lines than the " + std::to_string(rows) + " times of tmlst.csv");
    AppendRow(line, channels, set.dataPath, row, block);
    ++row;
    if (row - blockStart == kBlockRows) {
      sink.Rows(blockStart, row - blockStart, block.data());
      block.clear();
      blockStart = row;
    }
  }
  if (row != rows)
    throw ordwell::ConversionError(ordwell::Located(
        set.dataPath, "has " + std::to_string(row) + " lines, but tmlst.csv has " + std::to_string(rows) + " times"));
  if (row > blockStart) sink.Rows(blockStart, row - blockStart, block.data());
}

}  // namespace brenlow
