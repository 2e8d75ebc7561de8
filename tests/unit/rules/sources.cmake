list(APPEND DOVRIK_UNIT_TEST_SOURCES ${CMAKE_CURRENT_LIST_DIR} /
     AddRuleSheetModelTest.cpp ${CMAKE_CURRENT_LIST_DIR} /
     AppRuleTest.cpp ${CMAKE_CURRENT_LIST_DIR} / RuleManagerTest.cpp)
