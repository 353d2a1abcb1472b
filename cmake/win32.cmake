# Windows build: the core again, the Win32 layer, and the test programs that
# run under Wine. Every program is linked statically so it needs no mingw DLL.
add_link_options(-static -static-libgcc -static-libstdc++)

add_library(quiznotice STATIC win32/notice_win32.cpp)
target_include_directories(quiznotice PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

add_library(quizwin32 STATIC quiz/loader.cpp win32/own_resources.cpp win32/board_brush.cpp)
target_link_libraries(quizwin32 PUBLIC quizcore)
target_compile_options(quizwin32 PRIVATE -Wall -Wextra)

# JPEG pictures are decoded by the vendored libjpeg-turbo, reduced as they
# are decoded (quiz/jpeg_decode.c).
include(third_party/libjpeg-turbo/sources.cmake)
add_library(quizjpeg STATIC quiz/jpeg_decode.c ${QUIZ_LIBJPEG_TURBO_SOURCES})
target_include_directories(quizjpeg PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}
  PRIVATE ${QUIZ_LIBJPEG_TURBO_DIR}/config ${QUIZ_LIBJPEG_TURBO_DIR})
set_source_files_properties(quiz/jpeg_decode.c PROPERTIES COMPILE_OPTIONS "-Wall;-Wextra")

# The player. Linked stripped: resource updates on an unstripped program
# leave a file other tools reject. Its code is compiled once and linked twice:
# into quizz.exe, which records nothing of its start-up, and into the
# measuring build quizz_traced.exe (tests/win32/tests.cmake).
add_library(quizplayer OBJECT
  shell/main.cpp
  shell/main_window.cpp
  shell/header.cpp
  shell/answers_file.cpp
  win32/file_write.cpp
  win32/window_text.cpp
  win32/late_bound.cpp
  board/board.cpp
  board/board_layout.cpp
  board/board_pictures.cpp
  board/picture_loading.cpp
  board/board_scroll.cpp
  board/board_colours.cpp
  board/answer_box.cpp
  win32/controls.cpp
  board/picture.cpp
  board/media_files.cpp
  board/sound.cpp
  board/video.cpp
  board/answer_judging.cpp
  board/board_reading.cpp
  board/restored_answers.cpp
  board/score_display.cpp)
target_link_libraries(quizplayer PUBLIC quizwin32 quizjpeg)
target_compile_definitions(quizplayer PRIVATE QUIZ_PUBLISHER_URL="${QUIZ_PUBLISHER_URL}")
target_compile_options(quizplayer PRIVATE -Wall -Wextra)
# COM, the picture decoder, the shell and Video for Windows are bound when
# first called (win32/late_bound.cpp), never linked.
set(QUIZ_PLAYER_LIBRARIES quizwin32 quizjpeg uuid gdi32)
set_source_files_properties(resources/player.rc PROPERTIES COMPILE_FLAGS "-I ${CMAKE_CURRENT_SOURCE_DIR}/resources")

add_executable(quizz WIN32 $<TARGET_OBJECTS:quizplayer> win32/startup_trace_off.cpp resources/player.rc)
target_include_directories(quizz PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(quizz PRIVATE ${QUIZ_PLAYER_LIBRARIES})
target_link_options(quizz PRIVATE -s)

if(QUIZ_TESTS)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  target_compile_options(gtest PUBLIC -include ${CMAKE_CURRENT_SOURCE_DIR}/tests/win32/gtest_notification.h)
  target_include_directories(gtest PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  include(tests/unit/tests.cmake)
  include(tests/win32/tests.cmake)
  include(tests/e2e/tests.cmake)
  include(tests/media/tests.cmake)
endif()
include(tools/builder/builder.cmake)
