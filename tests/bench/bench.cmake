# Benchmarks on an unchecked build of the core; built with the tests, run
# with `make bench`, never as timed tests.
find_package(benchmark REQUIRED)
add_library(quizcore_bench STATIC ${QUIZ_CORE_SOURCES} quiz/notice_stderr.cpp)
target_include_directories(quizcore_bench PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_options(quizcore_bench PRIVATE -O2)
add_executable(core_bench tests/bench/core_bench.cpp)
target_compile_options(core_bench PRIVATE -O2)
target_link_libraries(core_bench PRIVATE quizcore_bench benchmark::benchmark)
