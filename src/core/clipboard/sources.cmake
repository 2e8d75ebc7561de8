list(APPEND DOVRIK_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardFilter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardFormats.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardItem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardKind.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardPopupController.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardPopupModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardSearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardShortcut.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardTab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IgnoredApps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PasteQueue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PopupPlacement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SearchFolding.cpp
)
