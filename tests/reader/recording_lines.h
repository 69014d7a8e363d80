#pragma once
// The lines of a small recording as the reader sees them, with single lines swapped
// for the cases that need a header line the builder does not write.
#include <map>
#include <string>

#include "platform/text_file.h"
#include "support/recording_builder.h"

namespace ordwell::testing {

inline TextLines LinesOf(const Recording& recording, const std::map<int, std::string>& replaced = {}) {
  TextLines built(recording.Text());
  std::string text;
  for (size_t i = 0; i < built.size(); ++i) {
    auto it = replaced.find(static_cast<int>(i));
    text += it != replaced.end() ? it->second : std::string(built[i]);
    text += "\r\n";
  }
  return TextLines(std::move(text));
}

inline Recording DatxRecording() { return Recording{}; }
inline Recording DatRecording() {
  Recording r;
  r.dat = true;
  r.sampling = "FAST";
  return r;
}

}  // namespace ordwell::testing
