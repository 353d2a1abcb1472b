# Windows build: the core again, the Win32 layer, and the test programs that
# run under Wine. Every program is linked statically so it needs no mingw DLL.
add_link_options(-static -static-libgcc -static-libstdc++)

add_library(quiznotice STATIC quiz/notice_win32.cpp)
target_include_directories(quiznotice PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

add_library(quizwin32 STATIC quiz/loader.cpp)
target_link_libraries(quizwin32 PUBLIC quizcore)
target_compile_options(quizwin32 PRIVATE -Wall -Wextra)

if(QUIZ_TESTS)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  target_compile_options(gtest PUBLIC -include ${CMAKE_CURRENT_SOURCE_DIR}/tests/win32/gtest_notification.h)
  target_include_directories(gtest PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  include(tests/unit/tests.cmake)
  include(tests/win32/tests.cmake)
endif()
