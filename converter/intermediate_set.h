#pragma once
// The intermediate file set as Brenlow reads it: every member checked against the
// others before anything is written.
#include <optional>
#include <string>
#include <vector>

#include "platform/encoding.h"

namespace brenlow {

// One measurement-list entry. Fields the set marks as not given (0, -1, "none") are
// empty here and are left out of the SNIRF file.
struct MeasurementEntry {
  int sourceIndex = 0;
  int detectorIndex = 0;
  int wavelengthIndex = 0;
  std::optional<double> wavelengthActual;
  std::optional<double> wavelengthEmissionActual;
  int dataType = 1;
  std::optional<std::string> dataUnit;
  std::optional<std::string> dataTypeLabel;
  int dataTypeIndex = 1;
  std::optional<double> sourcePower;
  std::optional<double> detectorGain;
  std::optional<int> moduleIndex;
  std::optional<int> sourceModuleIndex;
  std::optional<int> detectorModuleIndex;
};

struct Points {
  size_t columns = 0;          // 2 or 3
  std::vector<double> values;  // row-major
  size_t rows() const { return columns == 0 ? 0 : values.size() / columns; }
};

struct MetaData {
  std::string SubjectID, MeasurementDate, MeasurementTime, LengthUnit, TimeUnit, FrequencyUnit;
};

struct IntermediateSet {
  std::string folder;
  MetaData meta;
  std::vector<double> time;
  std::vector<MeasurementEntry> entries;
  Points sourcePos2D, detectorPos2D;
  bool has3D = false;
  Points landmarkPos3D, sourcePos3D, detectorPos3D;
  std::vector<double> stim;  // N x 3, row-major
  std::string dataPath;      // data.csv, streamed while the file is written
};

// Reads and checks every member but data.csv, which is only opened and streamed
// later. Throws ordwell::PlatformError with "file:line: message".
IntermediateSet ReadIntermediateSet(const std::string& folder, const ordwell::Charset& ansi);

// Streams data.csv: calls `rows` with blocks of parsed rows (row-major doubles,
// entries.size() values per row). Throws on a line with the wrong number of values,
// a value that is not a number, or a line count that differs from the times.
class DataRowSink {
 public:
  virtual ~DataRowSink() = default;
  virtual void Rows(size_t firstRow, size_t rowCount, const double* values) = 0;
};
void StreamDataRows(const IntermediateSet& set, DataRowSink& sink);

}  // namespace brenlow
