list(APPEND DOVRIK_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/HotkeyTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShortcutConflicts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShortcutManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WorkspaceShortcuts.cpp
)
