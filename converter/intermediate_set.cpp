#include "converter/intermediate_set.h"

#include <algorithm>

#include "converter/set_text.h"
#include "platform/errors.h"
#include "platform/file_system.h"
#include "platform/text_file.h"
#include "util/part_of_str.h"

namespace brenlow {
namespace {

using ordwell::ConversionError;
using ordwell::JoinPath;
using ordwell::Located;
using ordwell::TextLines;

struct Member {
  std::string path;
  TextLines lines;
};

Member Read(const std::string& folder, const char* name, const ordwell::Charset& ansi) {
  std::string path = JoinPath(folder, name);
  return Member{path, ordwell::ReadTextFile(ordwell::RealFileSystem(), path, ansi)};
}

double NumberAt(const Member& m, size_t line, std::string_view text) {
  std::optional<double> v = ParseNumber(text);
  if (!v) FailAt(m.path, line, Quoted(text) + " is not a number");
  return *v;
}

int IntegerAt(const Member& m, size_t line) {
  std::optional<int> v = ParseInteger(m.lines[line]);
  if (!v) FailAt(m.path, line, Quoted(m.lines[line]) + " is not an integer");
  return *v;
}

// Rows of exactly `columns` comma-separated numbers.
Points ReadPoints(const Member& m, size_t columns) {
  Points p;
  p.columns = columns;
  for (size_t i = 0; i < m.lines.size(); ++i) {
    std::string_view line = m.lines[i];
    size_t fields = 1 + static_cast<size_t>(std::count(line.begin(), line.end(), ','));
    if (fields != columns)
      FailAt(m.path, i, "expected " + std::to_string(columns) + " comma-separated numbers, found " + Quoted(line));
    for (size_t f = 1; f <= columns; ++f)
      p.values.push_back(NumberAt(m, i, ordwell::GetPartOfStr(',', line, static_cast<int>(f))));
  }
  return p;
}

// "not given" in the set: 0 for measured values, -1 for module indices, "none" for texts.
std::optional<double> GivenNumber(const Member& m, size_t line) {
  double v = NumberAt(m, line, m.lines[line]);
  return v == 0.0 ? std::nullopt : std::optional<double>(v);
}
std::optional<int> GivenIndex(const Member& m, size_t line) {
  int v = IntegerAt(m, line);
  return v == -1 ? std::nullopt : std::optional<int>(v);
}
std::optional<std::string> GivenText(const Member& m, size_t line) {
  std::string_view v = m.lines[line];
  return v == "none" ? std::nullopt : std::optional<std::string>(std::string(v));
}

std::vector<MeasurementEntry> ReadMeasurementList(const Member& m, size_t sources, size_t detectors) {
  if (m.lines.size() % 14 != 0)
    throw ConversionError(Located(m.path, "has " + std::to_string(m.lines.size()) +
                                              " lines; a measurement-list entry takes 14"));
  std::vector<MeasurementEntry> entries;
  for (size_t base = 0; base < m.lines.size(); base += 14) {
    MeasurementEntry e;
    e.sourceIndex = IntegerAt(m, base);
    e.detectorIndex = IntegerAt(m, base + 1);
    e.wavelengthIndex = IntegerAt(m, base + 2);
    if (e.sourceIndex < 1 || static_cast<size_t>(e.sourceIndex) > sources)
      FailAt(m.path, base, "source " + std::to_string(e.sourceIndex) + " is not one of the " + std::to_string(sources) +
                               " sources of sourcePos2D.csv");
    if (e.detectorIndex < 1 || static_cast<size_t>(e.detectorIndex) > detectors)
      FailAt(m.path, base + 1, "detector " + std::to_string(e.detectorIndex) + " is not one of the " +
                                   std::to_string(detectors) + " detectors of detectorPos2D.csv");
    if (e.wavelengthIndex != 1 && e.wavelengthIndex != 2)
      FailAt(m.path, base + 2, "wavelength index " + std::to_string(e.wavelengthIndex) + " is neither 1 nor 2");
    e.wavelengthActual = GivenNumber(m, base + 3);
    e.wavelengthEmissionActual = GivenNumber(m, base + 4);
    // Raw readings of a continuous-wave device: amplitude (1), the only kind, index 1.
    int dataType = IntegerAt(m, base + 5);
    e.dataType = dataType == -1 ? 1 : dataType;
    e.dataUnit = GivenText(m, base + 6);
    e.dataTypeLabel = GivenText(m, base + 7);
    int dataTypeIndex = IntegerAt(m, base + 8);
    e.dataTypeIndex = dataTypeIndex == -1 ? 1 : dataTypeIndex;
    e.sourcePower = GivenNumber(m, base + 9);
    e.detectorGain = GivenNumber(m, base + 10);
    e.moduleIndex = GivenIndex(m, base + 11);
    e.sourceModuleIndex = GivenIndex(m, base + 12);
    e.detectorModuleIndex = GivenIndex(m, base + 13);
    entries.push_back(std::move(e));
  }
  return entries;
}

}  // namespace

IntermediateSet ReadIntermediateSet(const std::string& folder, const ordwell::Charset& ansi) {
  IntermediateSet set;
  set.folder = folder;
  set.dataPath = JoinPath(folder, "data.csv");
  if (!ordwell::RealFileSystem().FileExists(set.dataPath))
    throw ordwell::FileError("Cannot open file \"" + set.dataPath + "\": No such file or directory");

  Member meta = Read(folder, "metalst.csv", ansi);
  if (meta.lines.size() != 6)
    throw ConversionError(Located(meta.path, "has " + std::to_string(meta.lines.size()) + " lines, not the 6 metadata tags"));
  auto tag = [&](size_t i) { return std::string(meta.lines[i]); };
  set.meta = MetaData{tag(0), tag(1), tag(2), tag(3), tag(4), tag(5)};

  Member times = Read(folder, "tmlst.csv", ansi);
  set.time.reserve(times.lines.size());
  for (size_t i = 0; i < times.lines.size(); ++i) set.time.push_back(NumberAt(times, i, times.lines[i]));
  if (set.time.empty())
    throw ConversionError(times.path + ": the recording has no time point; a SNIRF file without samples is of no use");

  set.sourcePos2D = ReadPoints(Read(folder, "sourcePos2D.csv", ansi), 2);
  set.detectorPos2D = ReadPoints(Read(folder, "detectorPos2D.csv", ansi), 2);
  set.entries = ReadMeasurementList(Read(folder, "meslst.csv", ansi), set.sourcePos2D.rows(), set.detectorPos2D.rows());
  if (set.entries.empty())
    throw ConversionError(JoinPath(folder, "meslst.csv") +
                          ": the recording has no active channel; a SNIRF file without channels is of no use");

  // The three 3D members come together or not at all.
  const char* names3D[] = {"landPos3D.csv", "sPos3D.csv", "dPos3D.csv"};
  int present = 0;
  for (const char* name : names3D) present += ordwell::RealFileSystem().FileExists(JoinPath(folder, name)) ? 1 : 0;
  if (present != 0 && present != 3)
    throw ConversionError(folder + ": landPos3D.csv, sPos3D.csv and dPos3D.csv must all be there or none of them");
  if (present == 3) {
    set.has3D = true;
    set.landmarkPos3D = ReadPoints(Read(folder, names3D[0], ansi), 3);
    set.sourcePos3D = ReadPoints(Read(folder, names3D[1], ansi), 3);
    set.detectorPos3D = ReadPoints(Read(folder, names3D[2], ansi), 3);
    if (set.sourcePos3D.rows() != set.sourcePos2D.rows())
      throw ConversionError(JoinPath(folder, "sPos3D.csv") + ": " + std::to_string(set.sourcePos3D.rows()) +
                            " sources, but sourcePos2D.csv has " + std::to_string(set.sourcePos2D.rows()));
    if (set.detectorPos3D.rows() != set.detectorPos2D.rows())
      throw ConversionError(JoinPath(folder, "dPos3D.csv") + ": " + std::to_string(set.detectorPos3D.rows()) +
                            " detectors, but detectorPos2D.csv has " + std::to_string(set.detectorPos2D.rows()));
    if (set.landmarkPos3D.rows() == 0)
      throw ConversionError(JoinPath(folder, "landPos3D.csv") + ": no landmark");
  }
  set.stim = ReadPoints(Read(folder, "stim.csv", ansi), 3).values;
  return set;
}

}  // namespace brenlow
