#pragma once
// Builds the text of a small device recording: the header lines at their fixed line
// numbers, the channel list and the sample rows, with CR LF line ends.
#include <string>
#include <vector>

namespace ordwell::testing {

struct Recording {
  bool dat = false;  // .dat layout instead of .datx
  std::string dateLine = "Date= 2023/05/12 08:09:10";
  std::string sampling = "Fast";  // .datx: after "=", .dat: after ";"
  std::string sensorType = "3x4"; // .datx only
  std::string mode = "AUTO";
  std::string startMark = "EVT1";
  std::string endMark = "EVT2";
  std::string channelList;        // the whole line
  std::vector<std::string> rows;  // the sample rows, whole lines

  std::string Text() const;
};

// A row: the mark field, then `fields` values where field j (2..) holds base + j.
std::string NumberedRow(const std::string& mark, int base, int fields);

}  // namespace ordwell::testing
