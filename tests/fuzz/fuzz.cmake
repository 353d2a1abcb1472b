# libFuzzer targets (clang), under AddressSanitizer and UBSan, one per reader
# of untrusted bytes; each has a corpus in tests/fuzz/corpus/NAME.
function(quiz_fuzz_target name)
  add_executable(${name} ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
endfunction()

# The codec, the payload parsing and the verdict rules.
quiz_fuzz_target(fuzz_core tests/fuzz/fuzz_core.cpp ${QUIZ_CORE_SOURCES} quiz/notice_stderr.cpp)
# The answers file as the player reads it.
quiz_fuzz_target(fuzz_answers tests/fuzz/fuzz_answers.cpp ${QUIZ_CORE_SOURCES} quiz/notice_stderr.cpp)

# Quiz descriptions through the checks of `quizbuild check` on a made-up
# disk, and fit descriptions extracted and built again.
include(tools/builder/sources.cmake)
quiz_fuzz_target(fuzz_description tests/fuzz/fuzz_description.cpp ${QUIZ_BUILDER_SOURCES} ${QUIZ_CORE_SOURCES}
                 quiz/notice_stderr.cpp)

# Spreadsheets' CSV files of entries, and their way back through extract --csv.
quiz_fuzz_target(fuzz_csv tests/fuzz/fuzz_csv.cpp ${QUIZ_BUILDER_SOURCES} ${QUIZ_CORE_SOURCES} quiz/notice_stderr.cpp)

add_custom_target(fuzz_targets DEPENDS fuzz_core fuzz_answers fuzz_description fuzz_csv)
