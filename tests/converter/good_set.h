#pragma once
// A small, correct intermediate set as the tool writes it (CR LF line ends), one text
// per member keyed by file name: tests break one member and write the lot.
#include <map>
#include <string>
#include <vector>

namespace brenlow::testing {

using SetFiles = std::map<std::string, std::string>;

// Each line followed by CR LF, the way every member ends its lines.
std::string CrLfLines(const std::vector<std::string>& lines);

// One measurement-list entry, its 14 lines with the "not given" values of the tool.
std::vector<std::string> EntryLines(int source, int detector, int wavelength);

// 2 sources, 3 detectors, 3 channels (S1-D1, S1-D2, S2-D3) of 2 wavelengths each,
// 4 time points, 2 stimulus rows; with3D adds 3 landmarks and the 3D optodes.
SetFiles GoodSet(bool with3D = false);

// The values of data.csv of GoodSet, row-major.
std::vector<double> GoodData();

void WriteSet(const std::string& folder, const SetFiles& files);

}  // namespace brenlow::testing
