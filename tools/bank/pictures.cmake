# The sample bank's picture painter and the muhe-paint command that shows its pictures.
set(MUHE_PICTURE_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/picture_painter.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/raster.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/stroke_font.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/sign_blanks.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/pictograms.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/round_signs.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/warning_signs.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/panel_signs.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/road_markings.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/signal_lamps.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/police_badges.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/scene_parts.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/town_scenes.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/open_road_scenes.cpp
)
muhe_library(muhe_pictures ${MUHE_PICTURE_SOURCES})
target_include_directories(muhe_pictures PUBLIC ${PROJECT_SOURCE_DIR}/tools)
target_link_libraries(muhe_pictures PUBLIC muhe_base)

add_executable(muhe-paint ${CMAKE_CURRENT_SOURCE_DIR}/paint_main.cpp)
target_link_libraries(muhe-paint PRIVATE muhe_pictures)
