list(APPEND DOVRIK_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DragMonitor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DragZoneManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EdgeTilingGuard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SnapOverlayWindow.cpp
)
