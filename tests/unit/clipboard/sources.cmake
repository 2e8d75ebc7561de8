list(APPEND DOVRIK_UNIT_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardFormatsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardItemTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardManagerTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardPopupControllerTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardPopupModelTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardSearchTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardShortcutTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IgnoredAppsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PasteChordsTest.cpp
)
