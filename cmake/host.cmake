# Host build: unit tests of the core under AddressSanitizer and
# UndefinedBehaviorSanitizer, benchmarks on an unchecked copy, the fuzz run
# (built in its own clang tree) and the Wine tests of the Windows tree.
set(QUIZ_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(quiznotice STATIC quiz/notice_stderr.cpp)
target_include_directories(quiznotice PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

add_library(quizcore_checked STATIC ${QUIZ_CORE_SOURCES} quiz/notice_stderr.cpp)
target_include_directories(quizcore_checked PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_options(quizcore_checked PUBLIC ${QUIZ_SANITIZE} PRIVATE -Wall -Wextra)
target_link_options(quizcore_checked PUBLIC ${QUIZ_SANITIZE})

if(QUIZ_FUZZ)
  include(tests/fuzz/fuzz.cmake)
  return()
endif()

if(QUIZ_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
  # Every include points down the folders' layers, and no modules include
  # each other round a circle.
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_test(NAME layers.check COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/check-layers ${CMAKE_SOURCE_DIR})
  include(tests/unit/tests.cmake)
  include(tests/bench/bench.cmake)
  include(tests/wine.cmake)
endif()
include(tools/builder/builder.cmake)
# The web tests' environment comes first: the studio's page test uses it.
if(QUIZ_TESTS)
  include(tests/web/tests.cmake)
endif()
include(studio/studio.cmake)
