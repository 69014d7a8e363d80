#include "good_set.h"

#include "support/temp_dir.h"

namespace brenlow::testing {

std::string CrLfLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

std::vector<std::string> EntryLines(int source, int detector, int wavelength) {
  return {std::to_string(source), std::to_string(detector), std::to_string(wavelength), "0", "0", "-1", "none",
          "none", "-1", "0", "0", "-1", "-1", "-1"};
}

SetFiles GoodSet(bool with3D) {
  std::vector<std::string> mes;
  for (auto [s, d] : {std::pair{1, 1}, std::pair{1, 2}, std::pair{2, 3}}) {
    for (int w : {1, 2}) {
      std::vector<std::string> e = EntryLines(s, d, w);
      mes.insert(mes.end(), e.begin(), e.end());
    }
  }
  SetFiles files{
      {"metalst.csv", CrLfLines({"subject01", "2024-05-01", "10:11:12", "mm", "s", "Hz"})},
      {"tmlst.csv", CrLfLines({"0.00000", "0.08192", "0.16384", "0.24576"})},
      {"sourcePos2D.csv", CrLfLines({"0.0,0.0", "30.0,0.0"})},
      {"detectorPos2D.csv", CrLfLines({"15.0,0.0", "0.0,30.0", "30.0,30.0"})},
      {"meslst.csv", CrLfLines(mes)},
      {"data.csv", CrLfLines({"100,200,300,400,500,600", "101,201,301,401,501,601", "-102,202,302,402,502,602",
                              "103,203,303,403,503,4000"})},
      {"stim.csv", CrLfLines({"0.08192,0.08192,1", "0.16384,0.08192,1"})},
  };
  if (with3D) {
    files["landPos3D.csv"] =
        CrLfLines({"0.0000,84.5000,-42.2500", "-75.0000,-18.5000,-50.0000", "75.0000,-18.2500,-49.5000"});
    files["sPos3D.csv"] = CrLfLines({"-20.0000,60.0000,40.0000", "20.0000,60.0000,40.0000"});
    files["dPos3D.csv"] = CrLfLines({"0.0000,65.0000,35.0000", "-30.0000,50.0000,50.0000", "30.0000,50.0000,50.0000"});
  }
  return files;
}

std::vector<double> GoodData() {
  return {100, 200, 300, 400, 500, 600, 101, 201, 301, 401, 501, 601,
          -102, 202, 302, 402, 502, 602, 103, 203, 303, 403, 503, 4000};
}

void WriteSet(const std::string& folder, const SetFiles& files) {
  for (const auto& [name, text] : files) ordwell::testing::WriteBytes(folder + "/" + name, text);
}

}  // namespace brenlow::testing
