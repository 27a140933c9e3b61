#pragma once
// The road scenes, drawn larger than the card's picture frame; the situation is kept near
// the middle, where the frame shows it.
#include "raster.h"

constexpr int kSceneLargeWidth = 400, kSceneLargeHeight = 300;
constexpr int kSceneWidth = 320, kSceneHeight = 240;

// town_scenes.cpp (400 x 300 unless noted)
void SceneCrossroadLeftTurn(Canvas& c);
void SceneCrossroadRightTurn(Canvas& c);
void SceneCrossroadStraight(Canvas& c);
void SceneRoundaboutEnter(Canvas& c);
void SceneRailwayCrossing(Canvas& c);   // 320 x 240
void SceneSchoolZone(Canvas& c);        // 320 x 240
void ScenePedestrianCrossing(Canvas& c);  // 320 x 240
void SceneQueue(Canvas& c);             // 320 x 240
void SceneBusStop(Canvas& c);           // 320 x 240
void SceneNarrowBridge(Canvas& c);      // 320 x 240

// open_road_scenes.cpp
void SceneOvertake(Canvas& c);
void SceneMergeExpressway(Canvas& c);
void SceneExitExpressway(Canvas& c);
void SceneMountainRoad(Canvas& c);
void SceneParkingSlope(Canvas& c);      // 320 x 240
void SceneBreakdown(Canvas& c);
void SceneTunnelEntry(Canvas& c);
void SceneRainNight(Canvas& c);         // 320 x 240
void SceneEmergencyVehicle(Canvas& c);
void SceneLaneChange(Canvas& c);
