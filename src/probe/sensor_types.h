#pragma once
// The sixteen probe layouts: names, slot counts, channel pairs, optode counts and
// standard position file names. Constant data.
#include <optional>
#include <string_view>

namespace ordwell {

inline constexpr int kSensorTypeCount = 16;

struct ChannelPairRow {
  int source;
  int detector;
};

// Exact match, case included, against every text of every type.
std::optional<int> SensorTypeFromText(std::string_view text);
int ChannelSlotCount(int type);  // 0 outside 1..16
int OptodeCount(int type);       // sources = detectors; 0 outside 1..16
int PairRowCount(int type);      // 0 outside 1..16
ChannelPairRow ChannelPair(int type, int n);  // n in 1..PairRowCount(type), else {0, 0}
std::string_view PositionFileName(int index);  // 0 (origin) .. 16

}  // namespace ordwell
