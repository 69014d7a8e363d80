#include "platform/text_file.h"
#include "probe/position_files.h"
#include "probe/positions_3d.h"
#include "probe/sensor_types.h"

namespace ordwell {

void StdPositionLibrary::GetStdPOS3D(const PositionFileContext& ctx, const std::string& folder) {
  StdPosAvailable.fill(0);
  // The origin file comes first: its landmarks give the scale of every others file.
  for (int i = 0; i <= kSensorTypeCount; ++i) {
    std::string path = JoinPath(folder, PositionFileName(i));
    if (ctx.fs.FileExists(path)) StdPosAvailable[static_cast<size_t>(i)] = sSetPOS3D(ctx, i, path);
  }
}

int StdPositionLibrary::sSetPOS3D(const PositionFileContext& ctx, int typ, const std::string& fl) {
  if (typ < 0 || typ > kSensorTypeCount) return 0;
  // Without landmarks there is no scale for the optodes.
  if (typ > 0 && StdPosAvailable[0] != 1) return 0;
  TextLines lines = ReadTextFile(ctx.fs, fl, ctx.ansi);
  if (lines.empty()) return 0;
  if (typ == 0) {
    ReadOriginLandmarks(lines, fl, ctx.decimalSeparator, StdArAlDistance, StdScale, StdLandmarkList);
    return 1;
  }
  auto t = static_cast<size_t>(typ);
  bool made = SetOptodeRows(lines, fl, ctx.decimalSeparator, StdScale, StdSourceLists[t], StdDetectorLists[t]);
  return made ? 1 : 0;
}

bool StdPositionLibrary::Available(int type) const {
  if (type < 1 || type > kSensorTypeCount) return false;
  return StdPosAvailable[0] == 1 && StdPosAvailable[static_cast<size_t>(type)] == 1;
}

}  // namespace ordwell
