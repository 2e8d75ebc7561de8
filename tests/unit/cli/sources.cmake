list(APPEND DOVRIK_UNIT_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardCommandTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandLineTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DragCommandTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LayoutCommandTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShelfCommandTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShortcutsCommandTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RulesCommandTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsCommandTest.cpp
)
