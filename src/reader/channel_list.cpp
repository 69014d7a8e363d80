#include "reader/channel_list.h"

#include <algorithm>

#include "util/part_of_str.h"
#include "util/stoi.h"

namespace ordwell {
namespace {

// A .datx row holds three column blocks of 24 channels, 66 fields apart; the list
// numbers the channels of all blocks in one run.
struct ColumnBlock {
  int32_t firstValue;  // list values from here on belong to the block
  int32_t offset;      // fields right of the first block
};
constexpr ColumnBlock kDatxBlocks[] = {{49, 132}, {25, 66}, {1, 0}};

ChannelSlot DatxSlot(std::string_view field) {
  if (field.empty()) return {};
  const int32_t v = stoi(field);
  for (const ColumnBlock& block : kDatxBlocks)
    if (v >= block.firstValue)
      return {v - (block.firstValue - 1), block.offset};
  return {};  // 0, or a negative value: inactive
}

ChannelSlot DatSlot(std::string_view field) { return {stoi(field), 0}; }

}  // namespace

int ChannelTable::ActiveCount() const {
  int count = 0;
  for (int k = 1; k <= ChannelCount; ++k)
    if (IsActive(k)) ++count;
  return count;
}

void ReadChannelList(FileKind kind, int slotCount, const TextLines& fileLines, ChannelTable& table) {
  table = ChannelTable{};
  const size_t lineIndex = static_cast<size_t>(LayoutOf(kind).ChannelListLine);
  const std::string_view line = lineIndex < fileLines.size() ? fileLines[lineIndex] : std::string_view();
  const int slots = std::clamp(slotCount, 0, kMaxChannelSlots);
  for (int m = 1; m <= slots; ++m) {
    std::string_view field = GetPartOfStr(',', line, m);
    table.slot[static_cast<size_t>(m)] = kind == FileKind::datx ? DatxSlot(field) : DatSlot(field);
  }
  table.ChannelCount = slots;
}

}  // namespace ordwell
