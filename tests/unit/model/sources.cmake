list(APPEND DOVRIK_UNIT_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AccessibilityTrustTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppStateTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LegacySettingsImportTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ValueTypesTest.cpp
)
