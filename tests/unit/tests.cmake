# The core's unit tests, built for the host (sanitized) and for Windows.
set(QUIZ_UNIT_TEST_SOURCES
  tests/unit/quiz_test.cpp
  tests/unit/quiz_link_test.cpp
  tests/unit/payload_test.cpp
  tests/unit/lzw_test.cpp
  tests/unit/verdict_test.cpp
  tests/unit/board_rules_test.cpp
  tests/unit/grid_test.cpp
  tests/unit/answers_text_test.cpp
  tests/unit/picture_size_test.cpp
  tests/unit/picture_resample_test.cpp
  tests/unit/image_bounds_test.cpp
  tests/unit/suspend_data_test.cpp
  page/suspend_data.cpp)

add_executable(core_tests ${QUIZ_UNIT_TEST_SOURCES})
target_include_directories(core_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
if(WIN32)
  target_link_libraries(core_tests PRIVATE quizwin32 gtest gtest_main)
else()
  target_link_libraries(core_tests PRIVATE quizcore_checked GTest::gtest GTest::gtest_main)
  include(GoogleTest)
  gtest_discover_tests(core_tests TEST_PREFIX "host." DISCOVERY_TIMEOUT 30)
endif()
