// The path of the sheet in the download animation, from the globe to the folder.
#pragma once

#include <QPointF>

namespace klemvar::tools {

struct SheetPose {
  QPointF centre;  // in frame pixels
  double degrees;  // tilt, clockwise
  double scale;    // 1 = drawn at its own size
  double opacity;
};

// Pose at `progress` in [0, 1): 0 leaves the globe, 1 would be inside the folder.
SheetPose PoseAt(double progress);

}  // namespace klemvar::tools
