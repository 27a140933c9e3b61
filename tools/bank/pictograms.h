#pragma once
// Pictograms shared by several signs, drawn in the units of a Frame: about ±1 across.
// `ink` is the figure's colour, `paper` the colour of its cut-outs (windows, wheel arches),
// normally the sign's face.
#include "raster.h"

void CarSide(Canvas& c, const Frame& f, uint32_t ink, uint32_t paper);    // facing right
void CarRear(Canvas& c, const Frame& f, uint32_t ink, uint32_t paper);    // seen from behind
void TruckSide(Canvas& c, const Frame& f, uint32_t ink, uint32_t paper);  // facing right
void Bicycle(Canvas& c, const Frame& f, uint32_t ink);                    // facing right
void Walker(Canvas& c, const Frame& f, uint32_t ink);                     // walking right
void Horn(Canvas& c, const Frame& f, uint32_t ink);                       // bell to the right
void SoundWaves(Canvas& c, const Frame& f, uint32_t ink);                 // arcs to the right
void Locomotive(Canvas& c, const Frame& f, uint32_t ink, uint32_t paper); // facing left
void Fence(Canvas& c, const Frame& f, uint32_t ink);
void Cow(Canvas& c, const Frame& f, uint32_t ink);                        // facing right
void TrafficCone(Canvas& c, const Frame& f, uint32_t ink, uint32_t band);
void FuelPump(Canvas& c, const Frame& f, uint32_t ink, uint32_t paper);
void KnifeAndFork(Canvas& c, const Frame& f, uint32_t ink);
void SeatedPerson(Canvas& c, const Frame& f, uint32_t ink);               // facing left
// Arrows on signs: a straight arrow from (u, v) to (u2, v2) in frame units.
void SignArrow(Canvas& c, const Frame& f, PointF from, PointF to, double shaft, uint32_t ink);
// A path arrow with the head on the last point.
void SignPathArrow(Canvas& c, const Frame& f, std::span<const PointF> path, double shaft, uint32_t ink);
// An arrow up that bends a quarter turn to the left (mirror the frame for right).
void TurnArrow(Canvas& c, const Frame& f, double shaft, uint32_t ink);
// An arrow up that turns round, back down on the left (a U-turn).
void UTurnArrow(Canvas& c, const Frame& f, double shaft, uint32_t ink);
// Three arrows chasing round a circle counterclockwise, as traffic goes round a roundabout.
void RoundaboutArrows(Canvas& c, const Frame& f, double shaft, uint32_t ink);
