#pragma once
// The in-memory model of one SNIRF file, filled by a conversion and serialised into
// the intermediate file set. The data matrix is not copied: the record points at
// the raw store of the sample rows, whose rows are already the record's columns.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "probe/layouts_2d.h"
#include "reader/sample_rows.h"

namespace ordwell {

struct MDT {
  std::string SubjectID;
  std::string MeasurementDate;
  std::string MeasurementTime;
  std::string LengthUnit;
  std::string TimeUnit;
  std::string FrequencyUnit;
};

struct ML {
  int32_t sourceIndex = 0;
  int32_t detectorIndex = 0;
  int32_t wavelengthIndex = 0;
  double wavelengthActual = 0.0;
  double wavelengthEmissionActual = 0.0;
  int32_t dataType = 0;
  std::string dataUnit;
  std::string dataTypeLabel;
  int32_t dataTypeIndex = 0;
  double sourcePower = 0.0;
  double detectorGain = 0.0;
  int32_t moduleIndex = 0;
  int32_t sourceModuleIndex = 0;
  int32_t detectorModuleIndex = 0;
};

struct DATA {
  const RawSamples* dataTimeSeries = nullptr;  // row t, columns 2n-1 and 2n
  const std::vector<double>* time = nullptr;
  size_t timePoints = 0;
  std::vector<ML> mesList_i;
};

struct PRB {
  std::array<double, 2> wavelengths{};
  std::vector<Point2D> sourcePos2D;
  std::vector<Point2D> detectorPos2D;
};

struct NIRS {
  MDT metaDataTags;
  DATA data;
  PRB probe;
};

struct SNIRF {
  std::string formatVersion;
  NIRS nirs;
};

// The two wavelengths in nm: wavelengthIndex 1 is 840 nm, 2 is 770 nm.
inline constexpr std::array<double, 2> kWavelengths = {840.0, 770.0};

}  // namespace ordwell
