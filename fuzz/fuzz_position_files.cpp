// Hostile position files: an origin file, an others file and AR_AL.txt (separated by
// 0x1E) read as the standard library at start-up and as the user's own files. The
// first byte picks the sensor type, the decimal separator and the ANSI set. Every
// error names its file; every row made is three numbers with four decimals.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "platform/errors.h"
#include "probe/positions_3d.h"
#include "probe/sensor_types.h"
#include "support/fake_file_system.h"

namespace ordwell::fuzz {
namespace {

bool IsFixed4(std::string_view number) {
  if (!number.empty() && number.front() == '-') number.remove_prefix(1);
  const size_t point = number.find('.');
  if (point == std::string_view::npos || point == 0 || number.size() - point - 1 != 4) return false;
  for (size_t i = 0; i < number.size(); ++i)
    if (i != point && (number[i] < '0' || number[i] > '9')) return false;
  return true;
}

void CheckRows(const RowList& rows, const char* what) {
  for (const std::string& row : rows) {
    const size_t a = row.find(','), b = row.find(',', a + 1);
    Require(a != std::string::npos && b != std::string::npos && row.find(',', b + 1) == std::string::npos &&
                IsFixed4(std::string_view(row).substr(0, a)) && IsFixed4(std::string_view(row).substr(a + 1, b - a - 1)) &&
                IsFixed4(std::string_view(row).substr(b + 1)),
            std::string(what) + " row is not x,y,z with four decimals: " + row);
  }
}

void CheckError(const PlatformError& e, const std::string& folder) {
  Require(std::string(e.what()).find(folder) != std::string::npos, std::string("the error names no file: ") + e.what());
}

void StandardLibrary(const PositionFileContext& ctx, testing::FakeFileSystem& fs, int type,
                     const std::vector<std::string>& files) {
  const std::string folder = "/base/STD_POS3D";
  fs.CreateDirectories(folder);
  if (files.size() > 0) fs.files[JoinPath(folder, PositionFileName(0))] = files[0];
  if (files.size() > 1) fs.files[JoinPath(folder, PositionFileName(type))] = files[1];
  StdPositionLibrary library;
  try {
    library.GetStdPOS3D(ctx, folder);
  } catch (const PlatformError& e) {
    CheckError(e, folder);
  }
  for (int t = 1; t <= kSensorTypeCount; ++t)
    Require(!library.Available(t) || t == type, "a type without a file is available");
  if (!library.Available(type)) return;
  Require(library.StdLandmarkList.size() == 5, "not five landmarks");
  Require(!library.StdSourceLists[type].empty() && !library.StdDetectorLists[type].empty(), "available without optodes");
  CheckRows(library.StdLandmarkList, "landmark");
  CheckRows(library.StdSourceLists[type], "source");
  CheckRows(library.StdDetectorLists[type], "detector");
}

void UserFiles(const PositionFileContext& ctx, testing::FakeFileSystem& fs, int type,
               const std::vector<std::string>& files) {
  const std::string folder = "/base/USR_POS3D/my_data";
  fs.CreateDirectories(folder);
  const std::string origin = JoinPath(folder, "subj_mni_origin_1.csv");
  const std::string others = JoinPath(folder, "subj_mni_others_" + std::string(PositionFileName(type)).substr(16));
  fs.files[origin] = files.size() > 0 ? files[0] : "";
  fs.files[others] = files.size() > 1 ? files[1] : "";
  if (files.size() > 2) fs.files[JoinPath(folder, "AR_AL.txt")] = files[2];
  UserPositions user;
  int made = 0;
  try {
    made = user.uSetPOS3D(ctx, type, origin, others);
  } catch (const PlatformError& e) {
    CheckError(e, folder);
    return;
  }
  if (made != 1) return;
  Require(user.UserLandmarkList.size() == 5, "not five landmarks");
  CheckRows(user.UserLandmarkList, "landmark");
  CheckRows(user.UserSourceLists[type], "source");
  CheckRows(user.UserDetectorLists[type], "detector");
}

}  // namespace
}  // namespace ordwell::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace ordwell;
  using namespace ordwell::fuzz;
  if (size == 0) return 0;
  const int type = data[0] % kSensorTypeCount + 1;
  const std::string separator = (data[0] & 0x10) ? "," : ".";
  const Charset ansi(kCharsets[(data[0] >> 5) % kCharsetCount]);
  const std::vector<std::string> files =
      SplitFiles(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), 3);

  testing::FakeFileSystem fs;
  PositionFileContext ctx{fs, ansi, separator};
  StandardLibrary(ctx, fs, type, files);
  UserFiles(ctx, fs, type, files);
  return 0;
}
