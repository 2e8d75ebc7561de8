list(APPEND DOVRIK_LINUX_DESKTOP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DesktopApplications.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DesktopEdgeTiling.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeysymName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KnownEdgeTiling.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PasteChordKeysyms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsTool.cpp
)
