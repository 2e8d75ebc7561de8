list(APPEND DOVRIK_LINUX_X11_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ActiveWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppDirectory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClientWindows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DesktopEntries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameMover.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyboardMap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RandrMonitors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UsableArea.cpp
  ${CMAKE_CURRENT_LIST_DIR}/X11Accessibility.cpp
  ${CMAKE_CURRENT_LIST_DIR}/X11Hotkeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/X11RunningApps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/X11Screens.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XAtoms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XConnection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XEventPump.cpp
)
