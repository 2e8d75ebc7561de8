list(APPEND DOVRIK_UNIT_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DragMonitorTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DragsNotFollowedTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DragZoneManagerTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EdgeTilingGuardTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SnapOverlayWindowTest.cpp
)
