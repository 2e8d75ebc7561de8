list(APPEND DOVRIK_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardPanelModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardShortcutRow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DragZonePreview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DragZonesPanelModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GeneralPanelModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ManagedHotkeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PasteKeysSettingsModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RulesPanelModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingSlider.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsContent.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsSidebar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShelfSettingsModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShortcutRecorder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShortcutsPanelModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SnappingPanelModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WorkspacesPanelModel.cpp
)
