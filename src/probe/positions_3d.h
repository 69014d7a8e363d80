#pragma once
// Three-dimensional probe positions: the standard library read once at start-up and
// the user's own origin and others files, both scaled by an AR-AL distance.
#include <array>
#include <string>
#include <vector>

#include "platform/encoding.h"
#include "platform/file_system.h"

namespace ordwell {

// How position files are read: through the file system, decoded with the ANSI set,
// numbers with the regional separator (and ".").
struct PositionFileContext {
  FileSystem& fs;
  const Charset& ansi;
  std::string decimalSeparator;
};

using RowList = std::vector<std::string>;

class StdPositionLibrary {
 public:
  std::array<int, 17> StdPosAvailable{};  // [0] origin, [t] others of type t
  double StdArAlDistance = 150.0;
  double StdScale = 0.0;
  RowList StdLandmarkList;
  std::array<RowList, 17> StdSourceLists;    // [t] for type t (1..16)
  std::array<RowList, 17> StdDetectorLists;

  // Reads the whole library in `folder` once. An error (bad number, short origin
  // file, zero AR-AL span) ends the loading at that file and is thrown after the
  // flags say what was read; its message names the file and, where there is one,
  // the line.
  void GetStdPOS3D(const PositionFileContext& ctx, const std::string& folder);
  int sSetPOS3D(const PositionFileContext& ctx, int typ, const std::string& fl);

  // True when the library holds rows for `type` (1..16).
  bool Available(int type) const;
};

class UserPositions {
 public:
  double UserArAlDistance = 0.0;
  double UserScale = 0.0;
  RowList UserLandmarkList;
  std::array<RowList, 17> UserSourceLists;
  std::array<RowList, 17> UserDetectorLists;

  // Reads AR_AL.txt beside orgf, orgf and otrf; 1 when rows for typ were made.
  // Throws on a missing AR_AL.txt, a bad number, a short origin file or a zero span.
  int uSetPOS3D(const PositionFileContext& ctx, int typ, const std::string& orgf, const std::string& otrf);
};

}  // namespace ordwell
