list(APPEND DOVRIK_UNIT_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DisplayIdentityTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MultiProcessAppTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WorkspaceJsonTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WorkspaceManagerTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WorkspaceRestoreTest.cpp
)
