list(APPEND DOVRIK_UNIT_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/HotkeyTableTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShortcutConflictsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShortcutManagerTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WorkspaceShortcutsTest.cpp
)
