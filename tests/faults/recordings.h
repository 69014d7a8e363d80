#pragma once
// The recordings of the fault tests. The second differs from the first in every
// member of the set it gives (type, speed, rows, marks, values, date), so that a test
// can tell which members a failed run rewrote and which it left as they were.
#include <string>

#include "support/recording_builder.h"

namespace ordwell::testing {

inline Recording FaultRecording(bool second) {
  Recording r;
  r.dateLine = second ? "Date= 2024/06/13 09:10:11" : "Date= 2023/05/12 08:09:10";
  r.sensorType = second ? "2x6" : "3x4";
  r.sampling = second ? "Slow" : "Fast";
  r.channelList = second ? "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16" : "1,0,3,4,5,6,7,8,9,10,11,12,13,14,15,16,0";
  const int rows = second ? 280 : 300, start = second ? 7 : 5;
  for (int i = 0; i < rows; ++i)
    r.rows.push_back(NumberedRow(i % 40 == start ? "1" : i % 40 == start + 20 ? "2" : "0", second ? 5000 : 1000, 48));
  return r;
}

inline std::string FirstRecording() { return FaultRecording(false).Text(); }
inline std::string SecondRecording() { return FaultRecording(true).Text(); }

// The members of the set in the order a conversion writes them.
inline constexpr const char* kSetMembers[] = {"data.csv",        "tmlst.csv",         "meslst.csv", "metalst.csv",
                                              "sourcePos2D.csv", "detectorPos2D.csv", "landPos3D.csv",
                                              "sPos3D.csv",      "dPos3D.csv",        "stim.csv"};

}  // namespace ordwell::testing
