list(APPEND DOVRIK_LINUX_IPC_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CommandLineClient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstanceClient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstancePaths.cpp
)
