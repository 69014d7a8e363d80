#pragma once
// Made-up position files in the library's formats, for the tests of the standard and
// the user positions. Coordinates are multiples of 0.25 so that scaled rows are exact.
#include <array>
#include <string>
#include <vector>

#include "support/fake_file_system.h"

namespace ordwell::testing {

struct Xyz {
  double x;
  double y;
  double z;
};

// L1..L5: nasion, inion, AR, AL and vertex of a head whose AR-AL span is 150 mm.
inline constexpr std::array<Xyz, 5> kDefaultLandmarks{{
    {0.0, 84.5, -42.25},
    {0.0, -112.0, -30.75},
    {-75.0, -18.5, -50.0},
    {75.0, -18.25, -49.5},
    {0.5, -14.0, 98.75},
}};

// An origin file of 14 lines: a header, L1..L4 on lines 1..4, filler lines 5..11 that
// would break the reading if they were looked at, L5 on line 12 and a trailing line.
std::string OriginFileText(const std::array<Xyz, 5>& landmarks = kDefaultLandmarks);

struct Optode {
  std::string label;  // e.g. "LD3" for a source, "PD3" for a detector
  Xyz at;
};

// One line per optode, "<name> <label>,x,y,z", sources first, after a header line.
std::string OthersFileText(const std::vector<Optode>& sources, const std::vector<Optode>& detectors);

// Point k (from 1) of the synthetic optodes of `type`: distinct for every type and k.
Xyz SyntheticSource(int type, int k);
Xyz SyntheticDetector(int type, int k);

// The others file of `type` with OptodeCount(type) sources labelled LD1.. and
// detectors labelled PD1.., in reverse label order so that sorting matters.
std::string SyntheticOthersFile(int type);

// Writes the origin file and the sixteen others files into `folder`.
void WriteSyntheticLibrary(FakeFileSystem& fs, const std::string& folder);

// "x,y,z" with four decimals, the form of every 3D row.
std::string Row3D(const Xyz& p, double scale = 1.0);

}  // namespace ordwell::testing
