#pragma once
// The hand-over to the converter: ten small comma-separated files in the base folder.
#include <string>
#include <vector>

#include "platform/encoding.h"
#include "platform/file_system.h"
#include "probe/layouts_2d.h"
#include "reader/channel_list.h"
#include "reader/data_file.h"
#include "reader/sample_rows.h"
#include "snirf/snirf_record.h"

namespace ordwell {

inline constexpr const char* kDataCsv = "data.csv";
inline constexpr const char* kTimeCsv = "tmlst.csv";
inline constexpr const char* kMeasurementListCsv = "meslst.csv";
inline constexpr const char* kMetadataCsv = "metalst.csv";
inline constexpr const char* kSourcePos2DCsv = "sourcePos2D.csv";
inline constexpr const char* kDetectorPos2DCsv = "detectorPos2D.csv";
inline constexpr const char* kLandmarkPos3DCsv = "landPos3D.csv";
inline constexpr const char* kSourcePos3DCsv = "sPos3D.csv";
inline constexpr const char* kDetectorPos3DCsv = "dPos3D.csv";
inline constexpr const char* kStimCsv = "stim.csv";

// What a conversion has read, from which the record is made.
struct ConversionResult {
  std::string dataFilePath;
  FileKind kind = FileKind::datx;
  const std::vector<std::string>* headerLines = nullptr;
  int SensorTypeIndex = 0;
  const ChannelTable* table = nullptr;
  const SampleTable* samples = nullptr;
};

// SubjectID: the data file's name without folder and last extension.
std::string SubjectIdOf(const std::string& dataFilePath);

// Fills the record from a conversion; the 2D step runs after the measurement list.
// Returns the 2D rows for the two position files.
Layout2D FillRecord(SNIRF& record, const ConversionResult& result);

class IntermediateSetWriter {
 public:
  IntermediateSetWriter(FileSystem& fs, std::string baseDir, const Charset& ansi)
      : fs_(fs), baseDir_(std::move(baseDir)), ansi_(ansi) {}

  // data.csv, tmlst.csv, meslst.csv, metalst.csv, sourcePos2D.csv, detectorPos2D.csv.
  // The last slot decides whether every data line ends with a comma.
  void WriteRecordFiles(const SNIRF& record, const Layout2D& layout, const ChannelTable& table);
  void Write3D(const std::vector<std::string>& landmarks, const std::vector<std::string>& sources,
               const std::vector<std::string>& detectors);
  // Removes 3D files of an earlier conversion; throws FileError when one stays.
  void Delete3D();
  void WriteStim(const std::vector<std::string>& stimRows);

  std::string PathOf(const char* name) const { return JoinPath(baseDir_, name); }

 private:
  void WriteData(const SNIRF& record, bool trailingComma);
  void WriteTimes(const SNIRF& record);
  void WriteMeasurementList(const SNIRF& record);
  void WriteLines(const char* name, const std::vector<std::string>& lines);

  FileSystem& fs_;
  std::string baseDir_;
  const Charset& ansi_;
};

}  // namespace ordwell
