list(APPEND DOVRIK_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DisplayOrder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameLanding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlacedFrames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScreenGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SnapFrames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowManager.cpp
)
