list(APPEND DOVRIK_UNIT_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardPanelModelTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IgnoredAppsSettingsModelTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PanelModelsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PasteKeysSettingsModelTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsContentTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsSidebarTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShelfSettingsModelTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShortcutRecorderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WorkspacesPanelModelTest.cpp
)
