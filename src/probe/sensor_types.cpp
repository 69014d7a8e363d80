#include "probe/sensor_types.h"

#include <array>
#include <span>

namespace ordwell {
namespace {

// Channel n of a type is measured between source and detector of row n.
constexpr ChannelPairRow kPairs1[] = {
    {1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 2}, {2, 3}, {3, 3}, {3, 4}, {4, 3}, {4, 4},
    {5, 4}, {4, 5}, {5, 5}, {5, 6}, {6, 5}, {6, 6},
};
constexpr ChannelPairRow kPairs2[] = {
    {1, 2}, {3, 2}, {1, 1}, {2, 2}, {3, 3}, {2, 1}, {2, 3}, {4, 1}, {2, 5}, {6, 3},
    {4, 5}, {6, 5}, {4, 4}, {5, 5}, {6, 6}, {5, 4}, {5, 6},
};
constexpr ChannelPairRow kPairs3[] = {
    {1, 2}, {3, 2}, {1, 1}, {2, 2}, {3, 3}, {2, 1}, {2, 3}, {4, 1}, {2, 5}, {6, 3},
    {4, 5}, {6, 5}, {4, 4}, {5, 5}, {6, 6}, {5, 4}, {5, 6}, {7, 8}, {9, 8}, {7, 7},
    {8, 8}, {9, 9}, {8, 7}, {8, 9}, {10, 7}, {8, 11}, {12, 9}, {10, 11}, {12, 11}, {10, 10},
    {11, 11}, {12, 12}, {11, 10}, {11, 12},
};
constexpr ChannelPairRow kPairs4[] = {
    {1, 2}, {3, 2}, {1, 1}, {2, 2}, {3, 3}, {2, 1}, {2, 3}, {4, 1}, {2, 5}, {6, 3},
    {4, 5}, {6, 5}, {4, 4}, {5, 5}, {6, 6}, {5, 4}, {5, 6}, {7, 4}, {5, 8}, {9, 6},
    {7, 8}, {9, 8}, {7, 7}, {8, 8}, {9, 9}, {8, 7}, {8, 9}, {10, 7}, {8, 11}, {12, 9},
    {10, 11}, {12, 11}, {10, 10}, {11, 11}, {12, 12}, {11, 10}, {11, 12},
};
constexpr ChannelPairRow kPairs5[] = {
    {1, 2}, {3, 2}, {1, 1}, {2, 2}, {3, 3}, {2, 1}, {2, 3}, {4, 1}, {2, 5}, {6, 3},
    {4, 5}, {6, 5}, {4, 4}, {5, 5}, {6, 6}, {5, 4}, {5, 6}, {7, 4}, {5, 8}, {9, 6},
    {7, 8}, {9, 8}, {7, 7}, {8, 8}, {9, 9}, {8, 7}, {8, 9}, {10, 7}, {8, 11}, {12, 9},
    {10, 11}, {12, 11}, {10, 10}, {11, 11}, {12, 12}, {11, 10}, {11, 12}, {13, 10}, {11, 14}, {15, 12},
    {13, 14}, {15, 14}, {13, 13}, {14, 14}, {15, 15}, {14, 13}, {14, 15}, {16, 13}, {14, 17}, {18, 15},
    {16, 17}, {18, 17}, {16, 16}, {17, 17}, {18, 18}, {17, 16}, {17, 18},
};
constexpr ChannelPairRow kPairs6[] = {
    {1, 2}, {3, 2}, {1, 1}, {2, 2}, {3, 3}, {2, 1}, {2, 3}, {4, 5}, {6, 5}, {4, 4},
    {5, 5}, {6, 6}, {5, 4}, {5, 6},
};
constexpr ChannelPairRow kPairs7[] = {
    {1, 2}, {3, 2}, {1, 1}, {2, 2}, {3, 3}, {2, 1}, {2, 3}, {4, 1}, {2, 5}, {6, 3},
    {4, 5}, {6, 5}, {4, 4}, {5, 5}, {6, 6}, {5, 4}, {5, 6}, {7, 8}, {9, 8}, {7, 7},
    {8, 8}, {9, 9}, {8, 7}, {8, 9}, {10, 7}, {8, 11}, {12, 9}, {10, 11}, {12, 11}, {10, 10},
    {11, 11}, {12, 12}, {11, 10}, {11, 12}, {13, 14}, {15, 14}, {13, 13}, {14, 14}, {15, 15}, {14, 13},
    {14, 15}, {16, 13}, {14, 17}, {18, 15}, {16, 17}, {18, 17}, {16, 16}, {17, 17}, {18, 18}, {17, 16},
    {17, 18},
};
constexpr ChannelPairRow kPairs8[] = {
    {1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 2}, {2, 3}, {3, 3}, {3, 4}, {4, 3}, {4, 4},
    {5, 4}, {4, 5}, {5, 5}, {5, 6}, {6, 5}, {6, 6}, {7, 6}, {6, 7}, {7, 7}, {7, 8},
    {8, 7}, {8, 8}, {9, 8}, {8, 9}, {9, 9}, {9, 10}, {10, 9}, {10, 10}, {11, 10}, {10, 11},
    {11, 11}, {11, 12}, {12, 11}, {12, 12},
};
constexpr ChannelPairRow kPairs9[] = {
    {1, 2}, {3, 2}, {3, 4}, {5, 4}, {5, 6}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5},
    {6, 6}, {2, 1}, {2, 3}, {4, 3}, {4, 5}, {6, 5}, {7, 1}, {2, 8}, {9, 3}, {4, 10},
    {11, 5}, {6, 12}, {7, 8}, {9, 8}, {9, 10}, {11, 10}, {11, 12}, {7, 7}, {8, 8}, {9, 9},
    {10, 10}, {11, 11}, {12, 12}, {8, 7}, {8, 9}, {10, 9}, {10, 11}, {12, 11},
};
constexpr ChannelPairRow kPairs11[] = {
    {1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 2}, {2, 3}, {3, 3}, {3, 4}, {4, 3}, {4, 4},
    {5, 4}, {4, 5}, {5, 5}, {5, 6}, {6, 5}, {6, 6}, {7, 8}, {9, 8}, {7, 7}, {8, 8},
    {9, 9}, {8, 7}, {8, 9}, {10, 11}, {12, 11}, {10, 10}, {11, 11}, {12, 12}, {11, 10}, {11, 12},
};
constexpr ChannelPairRow kPairs12[] = {
    {1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 2}, {2, 3}, {3, 3}, {3, 4}, {4, 3}, {4, 4},
    {5, 4}, {4, 5}, {5, 5}, {5, 6}, {6, 5}, {6, 6}, {7, 7}, {7, 8}, {8, 7}, {8, 8},
    {9, 8}, {8, 9}, {9, 9}, {9, 10}, {10, 9}, {10, 10}, {11, 10}, {10, 11}, {11, 11}, {11, 12},
    {12, 11}, {12, 12},
};
constexpr ChannelPairRow kPairs13[] = {
    {1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 2}, {2, 3}, {3, 3}, {3, 4}, {4, 3}, {4, 4},
    {5, 4}, {4, 5}, {5, 5}, {5, 6}, {6, 5}, {6, 6}, {7, 8}, {9, 8}, {7, 7}, {8, 8},
    {9, 9}, {8, 7}, {8, 9}, {10, 7}, {8, 11}, {12, 9}, {10, 11}, {12, 11}, {10, 10}, {11, 11},
    {12, 12}, {11, 10}, {11, 12},
};
constexpr ChannelPairRow kPairs14[] = {
    {1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 2}, {2, 3}, {3, 3}, {3, 4}, {4, 3}, {4, 4},
    {5, 4}, {4, 5}, {5, 5}, {5, 6}, {6, 5}, {6, 6}, {7, 8}, {9, 8}, {7, 7}, {8, 8},
    {9, 9}, {8, 7}, {8, 9}, {10, 7}, {8, 11}, {12, 9}, {10, 11}, {12, 11}, {10, 10}, {11, 11},
    {12, 12}, {11, 10}, {11, 12}, {13, 10}, {11, 14}, {15, 12}, {13, 14}, {15, 14}, {13, 13}, {14, 14},
    {15, 15}, {14, 13}, {14, 15}, {16, 13}, {14, 17}, {18, 15}, {16, 17}, {18, 17}, {16, 16}, {17, 17},
    {18, 18}, {17, 16}, {17, 18},
};
constexpr ChannelPairRow kPairs15[] = {
    {1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 2}, {2, 3}, {3, 3}, {3, 4}, {4, 3}, {4, 4},
    {5, 4}, {4, 5}, {5, 5}, {5, 6}, {6, 5}, {6, 6}, {7, 8}, {9, 8}, {9, 10}, {11, 10},
    {11, 12}, {7, 7}, {8, 8}, {9, 9}, {10, 10}, {11, 11}, {12, 12}, {8, 7}, {8, 9}, {10, 9},
    {10, 11}, {12, 11}, {13, 7}, {8, 14}, {15, 9}, {10, 16}, {17, 11}, {12, 18}, {13, 14}, {15, 14},
    {15, 16}, {17, 16}, {17, 18}, {13, 13}, {14, 14}, {15, 15}, {16, 16}, {17, 17}, {18, 18}, {14, 13},
    {14, 15}, {16, 15}, {16, 17}, {18, 17},
};

struct SensorTypeRow {
  std::array<std::string_view, 3> texts;  // unused places are empty
  int slots;
  int optodes;
  std::span<const ChannelPairRow> pairs;
};

// The "4x6" and "6x4" pads, and the "2x6+4x6" and "2x6+6x4" pads, differ only in how
// they lie on the head: their channels run between the same optodes.
constexpr std::array<SensorTypeRow, kSensorTypeCount> kSensorTypes{{
    {{"2x6", "2x6f"}, 16, 6, kPairs1},
    {{"3x4", "3x4T", "3x4B"}, 17, 6, kPairs2},
    {{"3x4W"}, 34, 12, kPairs3},
    {{"3x8"}, 37, 12, kPairs4},
    {{"3x12"}, 57, 18, kPairs5},
    {{"2x3W"}, 17, 6, kPairs6},
    {{"3x4Tri"}, 57, 18, kPairs7},
    {{"2x12"}, 34, 12, kPairs8},
    {{"4x6"}, 38, 12, kPairs9},
    {{"6x4"}, 38, 12, kPairs9},
    {{"2x6+2x3W"}, 33, 12, kPairs11},
    {{"2x6+2x6"}, 32, 12, kPairs12},
    {{"2x6+3x4"}, 33, 12, kPairs13},
    {{"2x6+3x8"}, 53, 18, kPairs14},
    {{"2x6+4x6"}, 54, 18, kPairs15},
    {{"2x6+6x4"}, 54, 18, kPairs15},
}};

// Index 0 is the origin file with the head landmarks; index t the others file of type t.
// Type 1 is stored under its second name.
constexpr std::array<std::string_view, kSensorTypeCount + 1> kPositionFileNames{
    "nfri_mni_origin.csv",
    "nfri_mni_others_2x6f.csv",
    "nfri_mni_others_3x4.csv",
    "nfri_mni_others_3x4W.csv",
    "nfri_mni_others_3x8.csv",
    "nfri_mni_others_3x12.csv",
    "nfri_mni_others_2x3W.csv",
    "nfri_mni_others_3x4Tri.csv",
    "nfri_mni_others_2x12.csv",
    "nfri_mni_others_4x6.csv",
    "nfri_mni_others_6x4.csv",
    "nfri_mni_others_2x6+2x3W.csv",
    "nfri_mni_others_2x6+2x6.csv",
    "nfri_mni_others_2x6+3x4.csv",
    "nfri_mni_others_2x6+3x8.csv",
    "nfri_mni_others_2x6+4x6.csv",
    "nfri_mni_others_2x6+6x4.csv",
};

const SensorTypeRow* RowOf(int type) {
  if (type < 1 || type > kSensorTypeCount) return nullptr;
  return &kSensorTypes[static_cast<size_t>(type - 1)];
}

}  // namespace

std::optional<int> SensorTypeFromText(std::string_view text) {
  if (text.empty()) return std::nullopt;
  for (int type = 1; type <= kSensorTypeCount; ++type) {
    for (std::string_view name : RowOf(type)->texts) {
      if (name == text) return type;
    }
  }
  return std::nullopt;
}

int ChannelSlotCount(int type) {
  const SensorTypeRow* row = RowOf(type);
  return row ? row->slots : 0;
}

int OptodeCount(int type) {
  const SensorTypeRow* row = RowOf(type);
  return row ? row->optodes : 0;
}

int PairRowCount(int type) {
  const SensorTypeRow* row = RowOf(type);
  return row ? static_cast<int>(row->pairs.size()) : 0;
}

ChannelPairRow ChannelPair(int type, int n) {
  if (n < 1 || n > PairRowCount(type)) return {0, 0};
  return RowOf(type)->pairs[static_cast<size_t>(n - 1)];
}

std::string_view PositionFileName(int index) {
  if (index < 0 || index > kSensorTypeCount) return {};
  return kPositionFileNames[static_cast<size_t>(index)];
}

}  // namespace ordwell
