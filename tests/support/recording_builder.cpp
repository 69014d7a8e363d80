#include "support/recording_builder.h"

namespace ordwell::testing {

std::string Recording::Text() const {
  const int headerLines = dat ? 25 : 41;
  std::vector<std::string> lines(static_cast<size_t>(headerLines));
  for (int i = 0; i < headerLines; ++i) lines[static_cast<size_t>(i)] = "Line" + std::to_string(i) + "=x";
  auto at = [&](int i) -> std::string& { return lines[static_cast<size_t>(i)]; };
  if (dat) {
    at(1) = dateLine;
    at(6) = "Mode=" + mode;
    at(8) = "StartMark=1," + startMark;
    at(9) = "EndMark=1," + endMark;
    at(21) = channelList;
    at(24) = "Sampling;" + sampling;
  } else {
    at(4) = dateLine;
    at(9) = "Sampling=" + sampling;
    at(10) = "SensorType=" + sensorType;
    at(13) = "Mode=" + mode;
    at(14) = "StartMark=1," + startMark;
    at(15) = "EndMark=1," + endMark;
    at(37) = channelList;
  }
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  for (const auto& r : rows) text += r + "\r\n";
  return text;
}

std::string NumberedRow(const std::string& mark, int base, int fields) {
  std::string row = mark;
  for (int j = 2; j < 2 + fields; ++j) row += "," + std::to_string(base + j);
  return row;
}

}  // namespace ordwell::testing
