list(APPEND DOVRIK_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DefaultsValue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyboardShortcut.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlainLocale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlatformTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TaskQueue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Uuid.cpp
)
