#pragma once
// The reading rules shared by the standard library and the user's own files: origin
// files with five head landmarks, others files with source ("LD") and detector ("PD")
// lines, every coordinate scaled to an AR-AL distance and written "x,y,z" with four
// decimals. Errors name the file and, where there is one, its line (from 1).
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_file.h"
#include "probe/entry_order.h"

namespace ordwell {

// Lines (from 0) of an origin file that hold the landmarks L1..L5, split at ",":
// field 2 is x, 3 is y, 4 is z, in millimetres.
inline constexpr size_t kLandmarkLines[] = {1, 2, 3, 4, 12};

// A number of a position file; a ConversionError names `path` and `line`.
double ParseNumberOnLine(std::string_view text, std::string_view decimalSeparator, const std::string& path,
                         long line);

// Clears `rows`, reads L1..L5, sets `scale` to arAlDistance / (|x of L3| + |x of L4|)
// and appends the five scaled landmarks. Throws ListIndexError for a file too short
// to hold L5, ConversionError for a field that is no number, MathError for a zero
// span or a result that overflows.
void ReadOriginLandmarks(const TextLines& lines, const std::string& path, std::string_view decimalSeparator,
                         double arAlDistance, double& scale, std::vector<std::string>& rows);

// The label of an entry decides only its order: "LDn" becomes "0n" and "kLDn" "kn"
// (test letter 'L'; 'P' for detectors). Whatever the characters are, an entry that
// starts with the test letter loses its first two and gets a "0" in front, any other
// loses its second and third.
std::string RewriteLabel(std::string_view entry, char testLetter);

struct OthersEntries {
  SortedEntryList sources;
  SortedEntryList detectors;
};

// A line with "LD" is a source line, else one with "PD" a detector line (case
// exact); its entry is the second field split at " ", and a line without one is
// passed over.
OthersEntries ReadOthersEntries(const TextLines& lines);

// When the file has both source and detector entries: replaces `sources` and
// `detectors` with their rows (fields 2..4 of each entry times `scale`) and gives
// true. Otherwise gives false and changes nothing.
bool SetOptodeRows(const TextLines& lines, const std::string& path, std::string_view decimalSeparator,
                   double scale, std::vector<std::string>& sources, std::vector<std::string>& detectors);

}  // namespace ordwell
