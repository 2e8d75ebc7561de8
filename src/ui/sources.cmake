list(APPEND DOVRIK_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardPopupWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardPopupView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardRowDelegate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardRowsModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PopupButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PopupEmptyState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PopupFonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PopupSearchField.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PopupSymbols.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SnapPreviewWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SymbolIcon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ThemeColors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ThumbnailCache.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TrayIcon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/X11WindowSupport.cpp
)
