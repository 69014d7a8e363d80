#include "snirf/intermediate_set.h"

#include <charconv>

#include "platform/errors.h"
#include "platform/text_file.h"
#include "probe/sensor_types.h"
#include "util/number_text.h"

namespace ordwell {

std::string SubjectIdOf(const std::string& dataFilePath) {
  std::string name = FileNameOf(dataFilePath);
  size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

Layout2D FillRecord(SNIRF& record, const ConversionResult& result) {
  const ChannelTable& table = *result.table;
  const SampleTable& samples = *result.samples;
  NIRS& nirs = record.nirs;

  nirs.data.dataTimeSeries = &samples.raw;
  nirs.data.time = &samples.times;
  nirs.data.timePoints = static_cast<size_t>(samples.SampleCount);

  MeasurementDateTime when = ReadMeasurementDateTime(result.kind, *result.headerLines);
  nirs.metaDataTags = MDT{SubjectIdOf(result.dataFilePath), when.MeasurementDate, when.MeasurementTime, "mm", "s", "Hz"};

  // Pairs go by the ordinal of the active slot, not by slot or channel number.
  nirs.data.mesList_i.clear();
  int n = 0;
  for (int k = 1; k <= table.ChannelCount; ++k) {
    if (!table.IsActive(k)) continue;
    ++n;
    ChannelPairRow pair = ChannelPair(result.SensorTypeIndex, n);
    for (int32_t w = 1; w <= 2; ++w) {
      ML entry;
      entry.sourceIndex = pair.source;
      entry.detectorIndex = pair.detector;
      entry.wavelengthIndex = w;
      entry.dataType = -1;
      entry.dataUnit = "none";
      entry.dataTypeLabel = "none";
      entry.dataTypeIndex = -1;
      entry.moduleIndex = -1;
      entry.sourceModuleIndex = -1;
      entry.detectorModuleIndex = -1;
      nirs.data.mesList_i.push_back(std::move(entry));
    }
  }
  nirs.probe.wavelengths = kWavelengths;

  Layout2D layout = BuildLayout2D(result.SensorTypeIndex);
  nirs.probe.sourcePos2D = layout.sources;
  nirs.probe.detectorPos2D = layout.detectors;
  return layout;
}

void IntermediateSetWriter::WriteRecordFiles(const SNIRF& record, const Layout2D& layout,
                                             const ChannelTable& table) {
  bool trailingComma = table.ChannelCount > 0 && !table.IsActive(table.ChannelCount) && table.ActiveCount() > 0;
  WriteData(record, trailingComma);
  WriteTimes(record);
  WriteMeasurementList(record);
  const MDT& tags = record.nirs.metaDataTags;
  WriteLines(kMetadataCsv, {tags.SubjectID, tags.MeasurementDate, tags.MeasurementTime, tags.LengthUnit,
                            tags.TimeUnit, tags.FrequencyUnit});
  WriteLines(kSourcePos2DCsv, layout.SourceRows2D);
  WriteLines(kDetectorPos2DCsv, layout.DetectorRows2D);
}

void IntermediateSetWriter::WriteData(const SNIRF& record, bool trailingComma) {
  const DATA& data = record.nirs.data;
  const RawSamples& raw = *data.dataTimeSeries;
  const size_t values = 2 * static_cast<size_t>(raw.activeSlots());
  TextFileWriter out(fs_, PathOf(kDataCsv), ansi_);
  // Millions of values: each line is formatted in place and handed over whole.
  constexpr size_t kValueChars = 12;  // "-2147483648" and its comma
  std::vector<char> line(values * kValueChars + 1);
  for (size_t t = 0; t < data.timePoints; ++t) {
    const int32_t* row = raw.Row(t);
    char* p = line.data();
    for (size_t j = 0; j < values; ++j) {
      if (j > 0) *p++ = ',';
      p = std::to_chars(p, p + kValueChars, row[j]).ptr;
    }
    if (trailingComma) *p++ = ',';
    out.Append(std::string_view(line.data(), static_cast<size_t>(p - line.data())));
    out.EndLine();
  }
  out.Finish();
}

void IntermediateSetWriter::WriteTimes(const SNIRF& record) {
  const DATA& data = record.nirs.data;
  TextFileWriter out(fs_, PathOf(kTimeCsv), ansi_);
  for (size_t t = 0; t < data.timePoints; ++t) {
    AppendFixed(out.buffer(), (*data.time)[t], 5);
    out.EndLine();
  }
  out.Finish();
}

void IntermediateSetWriter::WriteMeasurementList(const SNIRF& record) {
  TextFileWriter out(fs_, PathOf(kMeasurementListCsv), ansi_);
  auto integer = [&](int32_t v) {
    AppendInt(out.buffer(), v);
    out.EndLine();
  };
  auto general = [&](double v) {
    AppendGeneral(out.buffer(), v);
    out.EndLine();
  };
  for (const ML& e : record.nirs.data.mesList_i) {
    integer(e.sourceIndex);
    integer(e.detectorIndex);
    integer(e.wavelengthIndex);
    general(e.wavelengthActual);
    general(e.wavelengthEmissionActual);
    integer(e.dataType);
    out.Line(e.dataUnit);
    out.Line(e.dataTypeLabel);
    integer(e.dataTypeIndex);
    general(e.sourcePower);
    general(e.detectorGain);
    integer(e.moduleIndex);
    integer(e.sourceModuleIndex);
    integer(e.detectorModuleIndex);
  }
  out.Finish();
}

void IntermediateSetWriter::WriteLines(const char* name, const std::vector<std::string>& lines) {
  WriteTextFile(fs_, PathOf(name), lines, ansi_);
}

void IntermediateSetWriter::Write3D(const std::vector<std::string>& landmarks,
                                    const std::vector<std::string>& sources,
                                    const std::vector<std::string>& detectors) {
  WriteLines(kLandmarkPos3DCsv, landmarks);
  WriteLines(kSourcePos3DCsv, sources);
  WriteLines(kDetectorPos3DCsv, detectors);
}

void IntermediateSetWriter::Delete3D() {
  for (const char* name : {kLandmarkPos3DCsv, kSourcePos3DCsv, kDetectorPos3DCsv}) {
    std::string path = PathOf(name);
    if (!fs_.DeleteFile(path))
      throw FileError("Cannot delete \"" + path + "\" of an earlier conversion; it would give this recording another probe's positions");
  }
}

void IntermediateSetWriter::WriteStim(const std::vector<std::string>& stimRows) { WriteLines(kStimCsv, stimRows); }

}  // namespace ordwell
