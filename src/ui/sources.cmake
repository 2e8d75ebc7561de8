list(APPEND DOVRIK_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardPopupWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SnapPreviewWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SymbolIcon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TrayIcon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/X11WindowSupport.cpp
)
