# libFuzzer target (clang): arbitrary bytes through the codec, the payload
# parsing and the verdict rules, under AddressSanitizer and UBSan.
add_executable(fuzz_core tests/fuzz/fuzz_core.cpp ${QUIZ_CORE_SOURCES} quiz/notice_stderr.cpp)
target_include_directories(fuzz_core PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_options(fuzz_core PRIVATE -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
target_link_options(fuzz_core PRIVATE -fsanitize=fuzzer,address,undefined)

add_executable(fuzz_seeds tests/fuzz/fuzz_seeds.cpp ${QUIZ_CORE_SOURCES} quiz/notice_stderr.cpp)
target_include_directories(fuzz_seeds PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})

# Any bytes as a quiz description, through the checks of `quizbuild check`
# on a made-up disk, and fit descriptions extracted and built again.
include(tools/builder/sources.cmake)
add_executable(fuzz_description tests/fuzz/fuzz_description.cpp ${QUIZ_BUILDER_SOURCES} ${QUIZ_CORE_SOURCES}
                                quiz/notice_stderr.cpp)
target_include_directories(fuzz_description PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_options(fuzz_description PRIVATE -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
target_link_options(fuzz_description PRIVATE -fsanitize=fuzzer,address,undefined)
