#pragma once
#include <array>
#include <cstdint>

#include "platform/text_file.h"
#include "reader/data_file.h"

namespace ordwell {

inline constexpr int kMaxChannelSlots = 58;

struct ChannelSlot {
  int32_t channel = 0;  // 0: inactive; else the channel within its column block
  int32_t offset = 0;   // 0, 66 or 132 fields right of the first block
};

struct ChannelTable {
  std::array<ChannelSlot, kMaxChannelSlots + 1> slot{};  // slots 1..58; [0] unused
  int ChannelCount = 0;

  bool IsActive(int k) const { return slot[k].channel != 0; }
  int ActiveCount() const;
};

// Reads the channel list line of fileLines into slots 1..slotCount (the table starts
// cleared), then sets ChannelCount = slotCount. In a .datx file an empty or negative
// field makes its slot inactive.
void ReadChannelList(FileKind kind, int slotCount, const TextLines& fileLines, ChannelTable& table);

}  // namespace ordwell
