# End-to-end tests of the player: each case builds a quiz program with the
# quiz builder, starts it under Wine, drives it with real messages and keys,
# and checks what a user would see.
add_executable(player_test
  tests/e2e/player_driver.cpp
  tests/e2e/test_quiz.cpp
  tests/e2e/window_header_test.cpp
  tests/e2e/board_layout_test.cpp
  tests/e2e/verdict_colour_test.cpp
  tests/e2e/score_test.cpp
  tests/e2e/answer_keys_test.cpp
  tests/e2e/scrolling_test.cpp
  tests/e2e/answers_file_test.cpp
  tests/e2e/quiz_texts_test.cpp
  tests/e2e/answers_keeping_test.cpp
  tests/e2e/spreadsheet_quiz_test.cpp
  tests/e2e/studio_program_test.cpp)
target_link_libraries(player_test PRIVATE win32driver gtest gtest_main)
target_compile_options(player_test PRIVATE -Wall -Wextra)
add_dependencies(player_test quizz quizbuild)
# The header's link shows the address the player was configured with.
target_compile_definitions(player_test PRIVATE QUIZ_PUBLISHER_URL="${QUIZ_PUBLISHER_URL}")
# The browser the link's test gives Wine's launcher: it writes down every
# address it is asked to open.
set(QUIZ_LINK_RECORDER ${CMAKE_CURRENT_BINARY_DIR}/record-link)
set(QUIZ_LINKS_OPENED ${CMAKE_CURRENT_BINARY_DIR}/links-opened.txt)
file(WRITE ${QUIZ_LINK_RECORDER} "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '${QUIZ_LINKS_OPENED}'\n")
file(CHMOD ${QUIZ_LINK_RECORDER} FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
     WORLD_READ WORLD_EXECUTE)
target_compile_definitions(player_test PRIVATE QUIZ_LINK_RECORDER="${QUIZ_LINK_RECORDER}"
                           QUIZ_LINKS_OPENED="Z:${QUIZ_LINKS_OPENED}")
# The spreadsheet example is built from the source tree's examples/.
set_property(SOURCE tests/e2e/spreadsheet_quiz_test.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             QUIZ_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
