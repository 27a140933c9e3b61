#pragma once
// Landscape pieces that the decoration and the banner share: a straight road seen from the
// driver's seat, clouds, trees and hills.
#include <cstdint>
#include <span>

#include "art/art_canvas.h"

// A view down a straight road. Depth z is 1 at the picture's bottom edge and grows towards the
// horizon; X is across the road, -1 and 1 its edges.
struct RoadView {
    double vanishX = 0;    // where the road's edges meet on the horizon
    double horizonY = 0;
    double bottomY = 0;    // the picture's bottom edge
    double halfWidth = 0;  // half the road's width at the bottom edge, in pixels

    double GroundY(double z) const { return horizonY + (bottomY - horizonY) / z; }
    // Pixels per unit of X (half a road's width) at depth z.
    double Scale(double z) const { return halfWidth / z; }
    PointF Ground(double x, double z) const { return {vanishX + x * Scale(z), GroundY(z)}; }
};

struct RoadColours {
    uint32_t asphaltFar = 0;
    uint32_t asphaltNear = 0;
    uint32_t edgeLine = 0;
    uint32_t centreLine = 0;
};

// The carriageway from the horizon to below the bottom edge, its solid edge lines and the
// dashed centre line, dashes shortening with distance as real ones do.
void DrawRoad(ArtCanvas& c, const RoadView& view, const RoadColours& colours);

// The ground on both sides of the road, from the horizon down.
void DrawGround(ArtCanvas& c, const RoadView& view, uint32_t far, uint32_t near);

// Sky shaded from the top edge to the horizon.
void DrawSky(ArtCanvas& c, double horizonY, uint32_t top, uint32_t horizon);

// A flat-bottomed cumulus cloud, `width` wide, its base on y.
void DrawCloud(ArtCanvas& c, double cx, double baseY, double width, uint32_t colour, uint32_t shade);

// A rounded tree standing on `base`, `height` tall.
void DrawTree(ArtCanvas& c, PointF base, double height, uint32_t leaves, uint32_t leavesLight, uint32_t trunk);

// A row of soft hills along the horizon: the heights of its crests, spread evenly across the
// picture's width.
void DrawHills(ArtCanvas& c, double horizonY, std::span<const double> crests, uint32_t colour);
