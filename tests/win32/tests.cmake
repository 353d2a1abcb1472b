# Windows test programs: the loader's probe (whose resources each test case
# rewrites), the driver that runs it and answers its message boxes, and the
# hidden-window process that keeps Wine's desktop alive between programs.
add_executable(loader_probe tests/win32/loader_probe.cpp tests/win32/quiz_dump.cpp)
target_link_libraries(loader_probe PRIVATE quizwin32)
# Resource updates need a stripped program.
target_link_options(loader_probe PRIVATE -s)
# The same, unstripped: debug sections after the others and a symbol table
# after them, for the quiz builder's tests.
add_executable(loader_probe_unstripped tests/win32/loader_probe.cpp tests/win32/quiz_dump.cpp)
target_link_libraries(loader_probe_unstripped PRIVATE quizwin32)

add_library(win32driver STATIC tests/win32/driver.cpp)
target_include_directories(win32driver PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

add_executable(loader_test tests/win32/loader_test.cpp tests/win32/quiz_dump.cpp)
target_link_libraries(loader_test PRIVATE win32driver quizwin32 gtest gtest_main)
add_dependencies(loader_test loader_probe)

add_executable(wine_keeper WIN32 tests/win32/wine_keeper.cpp)
target_include_directories(wine_keeper PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})

# Whole-process timings of the player (run by tools/measure-player).
add_executable(blank_window WIN32 tests/bench/blank_window.cpp)
target_include_directories(blank_window PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
add_executable(edit_floor tests/bench/edit_floor.cpp)
target_include_directories(edit_floor PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
add_executable(player_timing tests/bench/player_timing.cpp)
target_link_libraries(player_timing PRIVATE win32driver psapi)

# The player again with the start-up trace recorded (tools/measure-player
# builds its quizzes on it for the breakdown; never shipped).
add_executable(quizz_traced WIN32 $<TARGET_OBJECTS:quizplayer> win32/startup_trace_file.cpp resources/player.rc)
target_include_directories(quizz_traced PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(quizz_traced PRIVATE ${QUIZ_PLAYER_LIBRARIES})
target_link_options(quizz_traced PRIVATE -s)

# The header labels' fonts and what they show, measured as Windows draws
# them (checked against the builder's table by wine-ARCH.label_widths).
add_executable(label_widths tests/win32/label_widths.cpp)
