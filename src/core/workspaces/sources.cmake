list(APPEND DOVRIK_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DisplayIdentity.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Workspace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WorkspaceManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WorkspacePlacement.cpp
)
