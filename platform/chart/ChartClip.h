#pragma once
// Shapes cut to the room around a drawing before they reach the canvas. Values far beyond a tiny axis
// range lie millions of pixels away; drawn as they are, such a line or polygon costs time in proportion
// to its length. A shape within the room is kept exactly as it is, so ordinary pictures never change;
// the room reaches far enough beyond the drawing that the widest pen's cut ends stay out of sight.

#include "platform/wintypes/Types.h"

#include <vector>

namespace chart {

// bounds widened by the margin no pen reaches across.
win::RECT ClipRoom(const win::RECT& bounds);

// The polygon's part within room (empty when none).
std::vector<win::POINT> ClipPolygon(const std::vector<win::POINT>& points, const win::RECT& room);

// The line's parts within room, each a line of its own.
std::vector<std::vector<win::POINT>> ClipPolyline(const std::vector<win::POINT>& points, const win::RECT& room);

}  // namespace chart
