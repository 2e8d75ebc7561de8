list(APPEND DOVRIK_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AccessibilityTrust.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AnimationSpeed.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ApplicationName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RelativeTime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LegacySettingsImport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShortcutAction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SnapPosition.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowAction.cpp
)
