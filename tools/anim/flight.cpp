#include "anim/flight.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace klemvar::tools {
namespace {

constexpr QPointF kStart(44.0, 30.0);  // the globe's right flank
constexpr QPointF kEnd(236.0, 38.0);   // the folder's mouth
constexpr double kArcHeight = 18.0;    // how far the sheet rises above the straight line

}  // namespace

SheetPose PoseAt(double progress) {
  const double t = std::clamp(progress, 0.0, 1.0);
  const QPointF straight = kStart + (kEnd - kStart) * t;
  const QPointF centre(straight.x(), straight.y() - kArcHeight * 4.0 * t * (1.0 - t));
  // Tilt follows the slope of the arc, with a flutter on top.
  const double degrees = -35.0 + 70.0 * t + 8.0 * std::sin(4.0 * std::numbers::pi * t);
  // Small as it leaves the far-off web, full size near the folder, then dropping in.
  const double scale = t < 0.8 ? 0.6 + 0.5 * t : 1.0 - 1.5 * (t - 0.8);
  const double opacity = std::min({1.0, t * 8.0, (1.0 - t) * 6.0});
  return {centre, degrees, scale, opacity};
}

}  // namespace klemvar::tools
