#include "synthetic_library.h"

#include "probe/sensor_types.h"
#include "util/number_text.h"

namespace ordwell::testing {
namespace {

std::string Coordinates(const Xyz& p) {
  std::string out;
  AppendGeneral(out, p.x);
  out += ',';
  AppendGeneral(out, p.y);
  out += ',';
  AppendGeneral(out, p.z);
  return out;
}

}  // namespace

std::string OriginFileText(const std::array<Xyz, 5>& landmarks) {
  static const char* const kNames[] = {"Nz", "Iz", "AR", "AL", "Cz"};
  std::string text = "landmark,x,y,z\r\n";
  for (size_t k = 0; k < 4; ++k) text += std::string(kNames[k]) + "," + Coordinates(landmarks[k]) + "\r\n";
  for (int line = 5; line <= 11; ++line) text += "unused,not,a,number\r\n";
  text += std::string(kNames[4]) + "," + Coordinates(landmarks[4]) + "\r\n";
  text += "end,also,not,read\r\n";
  return text;
}

std::string OthersFileText(const std::vector<Optode>& sources, const std::vector<Optode>& detectors) {
  std::string text = "name entry\r\n";
  for (const auto& s : sources) text += "S " + s.label + "," + Coordinates(s.at) + "\r\n";
  for (const auto& d : detectors) text += "D " + d.label + "," + Coordinates(d.at) + "\r\n";
  return text;
}

Xyz SyntheticSource(int type, int k) { return {10.0 * k + 0.25 * type, -5.0 * k, 50.0 + 0.5 * type}; }
Xyz SyntheticDetector(int type, int k) { return {-10.0 * k - 0.25 * type, 5.0 * k + 0.75, 40.0 - 0.5 * type}; }

std::string SyntheticOthersFile(int type) {
  std::vector<Optode> sources, detectors;
  for (int k = OptodeCount(type); k >= 1; --k) {
    sources.push_back({"LD" + std::to_string(k), SyntheticSource(type, k)});
    detectors.push_back({"PD" + std::to_string(k), SyntheticDetector(type, k)});
  }
  return OthersFileText(sources, detectors);
}

void WriteSyntheticLibrary(FakeFileSystem& fs, const std::string& folder) {
  fs.CreateDirectories(folder);
  fs.files[JoinPath(folder, PositionFileName(0))] = OriginFileText();
  for (int type = 1; type <= kSensorTypeCount; ++type)
    fs.files[JoinPath(folder, PositionFileName(type))] = SyntheticOthersFile(type);
}

std::string Row3D(const Xyz& p, double scale) {
  std::string row;
  AppendFixed(row, p.x * scale, 4);
  row += ',';
  AppendFixed(row, p.y * scale, 4);
  row += ',';
  AppendFixed(row, p.z * scale, 4);
  return row;
}

}  // namespace ordwell::testing
