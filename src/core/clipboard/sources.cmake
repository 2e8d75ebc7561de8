list(APPEND DOVRIK_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardItem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardKind.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardShortcut.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PasteChords.cpp
)
