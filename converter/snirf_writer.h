#pragma once
#include <string>

#include "converter/intermediate_set.h"

namespace brenlow {

// Writes the set as a SNIRF 1.1 file at `path` (created or replaced); data.csv is
// streamed into dataTimeSeries while it is read. Throws on any failure.
void WriteSnirf(const IntermediateSet& set, const std::string& path);

}  // namespace brenlow
