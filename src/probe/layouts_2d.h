#pragma once
// The planar layout of each sensor type, in millimetres.
#include <string>
#include <vector>

namespace ordwell {

struct Point2D {
  double x;
  double y;
};

struct Layout2D {
  std::vector<Point2D> sources;
  std::vector<Point2D> detectors;
  std::vector<std::string> SourceRows2D;    // "%.1f,%.1f"
  std::vector<std::string> DetectorRows2D;
};

// Empty for a type outside 1..16.
Layout2D BuildLayout2D(int type);

}  // namespace ordwell
