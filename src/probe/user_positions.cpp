#include "platform/text_file.h"
#include "probe/position_files.h"
#include "probe/positions_3d.h"
#include "probe/sensor_types.h"

namespace ordwell {

int UserPositions::uSetPOS3D(const PositionFileContext& ctx, int typ, const std::string& orgf,
                             const std::string& otrf) {
  if (typ < 1 || typ > kSensorTypeCount) return 0;
  // The subject's measured head size lies beside the origin file.
  std::string arAlPath = JoinPath(FolderOf(orgf), "AR_AL.txt");
  TextLines arAl = ReadTextFile(ctx.fs, arAlPath, ctx.ansi);
  if (arAl.empty()) return 0;
  UserArAlDistance = ParseNumberOnLine(arAl[0], ctx.decimalSeparator, arAlPath, 1);

  TextLines origin = ReadTextFile(ctx.fs, orgf, ctx.ansi);
  if (origin.empty()) return 0;
  ReadOriginLandmarks(origin, orgf, ctx.decimalSeparator, UserArAlDistance, UserScale, UserLandmarkList);

  TextLines others = ReadTextFile(ctx.fs, otrf, ctx.ansi);
  if (others.empty()) return 0;
  auto t = static_cast<size_t>(typ);
  bool made = SetOptodeRows(others, otrf, ctx.decimalSeparator, UserScale, UserSourceLists[t], UserDetectorLists[t]);
  return made ? 1 : 0;
}

}  // namespace ordwell
