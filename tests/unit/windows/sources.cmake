list(APPEND DOVRIK_UNIT_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DisplayMoveTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlacedFramesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlacementLandingTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SnapCyclingTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SnapFramesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SnapGeometryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowManagerTest.cpp
)
