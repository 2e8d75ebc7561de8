list(APPEND DOVRIK_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AppsCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandMessages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandSupport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DragCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LayoutCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LifecycleCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OnboardingCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PanelSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShelfCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RulesCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SnapCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UpdateCommand.cpp
)
