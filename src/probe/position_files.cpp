#include "probe/position_files.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "platform/errors.h"
#include "util/number_text.h"
#include "util/part_of_str.h"
#include "util/utf16_units.h"

namespace ordwell {
namespace {

struct Point3D {
  double x;
  double y;
  double z;
};

// Fields 2, 3 and 4 of a text split at ",".
Point3D ReadPoint(std::string_view text, std::string_view decimalSeparator, const std::string& path, long line) {
  return {ParseNumberOnLine(GetPartOfStr(',', text, 2), decimalSeparator, path, line),
          ParseNumberOnLine(GetPartOfStr(',', text, 3), decimalSeparator, path, line),
          ParseNumberOnLine(GetPartOfStr(',', text, 4), decimalSeparator, path, line)};
}

double Scaled(double value, double scale, const std::string& path, long line) {
  double product = value * scale;
  if (!std::isfinite(product)) throw MathError(Located(path, line, "Floating point overflow"));
  return product;
}

void AppendScaledRow(std::vector<std::string>& rows, const Point3D& p, double scale, const std::string& path,
                     long line) {
  double x = Scaled(p.x, scale, path, line);
  double y = Scaled(p.y, scale, path, line);
  double z = Scaled(p.z, scale, path, line);
  std::string row;
  AppendFixed(row, x, 4);
  row += ',';
  AppendFixed(row, y, 4);
  row += ',';
  AppendFixed(row, z, 4);
  rows.push_back(std::move(row));
}

// The AR-AL span of the landmarks is the distance between the preauricular points
// L3 and L4 along x; only the sum of the absolute values counts.
double ScaleOf(double arAlDistance, const Point3D& l3, const Point3D& l4, const std::string& path) {
  const std::string which = "the landmarks on lines " + std::to_string(kLandmarkLines[2] + 1) + " and " +
                            std::to_string(kLandmarkLines[3] + 1);
  double span = std::fabs(l3.x) + std::fabs(l4.x);
  if (span == 0.0) throw MathError(Located(path, "Floating point division by zero: " + which + " both have x = 0"));
  double scale = arAlDistance / span;
  if (!std::isfinite(span) || !std::isfinite(scale))
    throw MathError(Located(path, "Floating point overflow in the scale of " + which));
  return scale;
}

void AppendEntryRows(const SortedEntryList& entries, const std::string& path, std::string_view decimalSeparator,
                     double scale, std::vector<std::string>& rows) {
  for (const auto& entry : entries.entries())
    AppendScaledRow(rows, ReadPoint(entry.text, decimalSeparator, path, entry.line), scale, path, entry.line);
}

}  // namespace

double ParseNumberOnLine(std::string_view text, std::string_view decimalSeparator, const std::string& path,
                         long line) {
  try {
    return ParseFloat(text, decimalSeparator);
  } catch (const ConversionError& e) {
    throw ConversionError(Located(path, line, e.what()));
  }
}

void ReadOriginLandmarks(const TextLines& lines, const std::string& path, std::string_view decimalSeparator,
                         double arAlDistance, double& scale, std::vector<std::string>& rows) {
  rows.clear();
  std::array<Point3D, std::size(kLandmarkLines)> landmarks{};
  for (size_t k = 0; k < std::size(kLandmarkLines); ++k) {
    size_t index = kLandmarkLines[k];
    if (index >= lines.size())
      throw ListIndexError(Located(path, "the origin file has " + std::to_string(lines.size()) +
                                             " lines; landmark line " + std::to_string(index + 1) + " is missing"));
    landmarks[k] = ReadPoint(lines[index], decimalSeparator, path, static_cast<long>(index + 1));
  }
  scale = ScaleOf(arAlDistance, landmarks[2], landmarks[3], path);
  for (size_t k = 0; k < std::size(kLandmarkLines); ++k)
    AppendScaledRow(rows, landmarks[k], scale, path, static_cast<long>(kLandmarkLines[k] + 1));
}

std::string RewriteLabel(std::string_view entry, char testLetter) {
  if (entry.empty()) return std::string();
  std::string label;
  if (entry.front() == testLetter) {
    label = "0";
    label += CharactersBetween(entry, 3, SIZE_MAX);
  } else {
    label = CharactersBetween(entry, 1, 1);
    label += CharactersBetween(entry, 4, SIZE_MAX);
  }
  return label;
}

OthersEntries ReadOthersEntries(const TextLines& lines) {
  OthersEntries found;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    char testLetter;
    SortedEntryList* list;
    if (line.find("LD") != std::string_view::npos) {
      testLetter = 'L';
      list = &found.sources;
    } else if (line.find("PD") != std::string_view::npos) {
      testLetter = 'P';
      list = &found.detectors;
    } else {
      continue;
    }
    std::string_view entry = GetPartOfStr(' ', line, 2);
    if (entry.empty()) continue;  // an optode without a label and coordinates
    list->Insert(RewriteLabel(entry, testLetter), static_cast<long>(i + 1));
  }
  return found;
}

bool SetOptodeRows(const TextLines& lines, const std::string& path, std::string_view decimalSeparator,
                   double scale, std::vector<std::string>& sources, std::vector<std::string>& detectors) {
  OthersEntries found = ReadOthersEntries(lines);
  if (found.sources.empty() || found.detectors.empty()) return false;
  sources.clear();
  detectors.clear();
  AppendEntryRows(found.sources, path, decimalSeparator, scale, sources);
  AppendEntryRows(found.detectors, path, decimalSeparator, scale, detectors);
  return true;
}

}  // namespace ordwell
