# End-to-end tests of picture, sound and video quizzes: each case builds a
# quiz program with the quiz builder from media made here at build time,
# starts it under Wine, drives it with real messages and checks what a user
# would see and which files it leaves.
set(MEDIA_FIXTURES_DIR ${CMAKE_BINARY_DIR}/media-fixtures)
add_custom_command(OUTPUT ${MEDIA_FIXTURES_DIR}/.complete
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/media/make-fixtures ${MEDIA_FIXTURES_DIR}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/media/make-fixtures
  COMMENT "Making the media tests' pictures, sounds and clips"
  VERBATIM)
add_custom_target(media_fixtures DEPENDS ${MEDIA_FIXTURES_DIR}/.complete)

add_library(mediadriver STATIC
  tests/e2e/player_driver.cpp
  tests/e2e/test_quiz.cpp
  tests/media/media_driver.cpp
  tests/media/media_quiz.cpp)
target_link_libraries(mediadriver PUBLIC win32driver quizwin32)
target_compile_options(mediadriver PRIVATE -Wall -Wextra)

add_executable(media_test
  tests/media/picture_board_test.cpp
  tests/media/picture_reveal_test.cpp
  tests/media/picture_arrival_test.cpp
  tests/media/sound_board_test.cpp
  tests/media/video_board_test.cpp
  tests/media/damaged_media_test.cpp
  tests/media/picture_fidelity_test.cpp)
# The fidelity test decodes the pictures with the platform's decoder itself.
target_link_libraries(media_test PRIVATE mediadriver gtest gtest_main oleaut32 ole32 uuid)
target_compile_options(media_test PRIVATE -Wall -Wextra)
add_dependencies(media_test quizz quizbuild media_fixtures)

# Start-up time and memory of a large picture quiz (not a test; printed).
add_executable(media_measure tests/media/startup_measure.cpp)
target_link_libraries(media_measure PRIVATE mediadriver psapi)
target_compile_options(media_measure PRIVATE -Wall -Wextra)
add_dependencies(media_measure quizz quizbuild media_fixtures)

# The soak of start-up, closing and F1 spreads (make soak), not a test.
add_executable(soak tests/bench/soak.cpp)
target_link_libraries(soak PRIVATE mediadriver psapi)
target_compile_options(soak PRIVATE -Wall -Wextra)
add_dependencies(soak quizz quizbuild)
