#pragma once
// The output is written under a temporary name beside it and renamed when complete,
// so that it never appears half-written.
#include <string>

namespace brenlow {

// DIR/.tavik_data_3d.snirf.tmp-PID
std::string PartialOutputPath(const std::string& folder, long pid);

// A converter killed while writing (the tool kills it on abort and on time-out)
// leaves its partial file behind, as large as the recording. Removes those of
// processes that no longer run; a live one's, and anything else, is left alone.
void RemoveAbandonedPartials(const std::string& folder);

}  // namespace brenlow
