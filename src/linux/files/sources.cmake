list(APPEND DOVRIK_LINUX_FILES_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AgentPaths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConfigPaths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DesktopEntries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DesktopExec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DomainDocument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileDefaults.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileDefaultsDomains.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileIo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MountInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PosixFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProcessExecutable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TaggedJson.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XdgInstaller.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XdgLoginItem.cpp
)
