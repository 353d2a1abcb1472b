# libFuzzer targets (clang), under AddressSanitizer and UBSan: fuzz_core
# takes arbitrary bytes through the codec, the payload parsing and the
# verdict rules; fuzz_pe through the quiz builder's program-file reader and
# writer.
set(QUIZ_FUZZ_FLAGS -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)

add_executable(fuzz_core tests/fuzz/fuzz_core.cpp ${QUIZ_CORE_SOURCES} quiz/notice_stderr.cpp)
target_include_directories(fuzz_core PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_options(fuzz_core PRIVATE ${QUIZ_FUZZ_FLAGS})
target_link_options(fuzz_core PRIVATE -fsanitize=fuzzer,address,undefined)

add_executable(fuzz_seeds tests/fuzz/fuzz_seeds.cpp ${QUIZ_CORE_SOURCES} quiz/notice_stderr.cpp)
target_include_directories(fuzz_seeds PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})

# Its seeds are small crafted images kept in tests/fuzz/corpus/pe.
add_executable(fuzz_pe tests/fuzz/fuzz_pe.cpp
  tools/builder/pe_image.cpp
  tools/builder/pe_resources.cpp
  tools/builder/pe_resource_tree.cpp
  tools/builder/pe_checksum.cpp
  tools/builder/pe_resource_update.cpp)
target_include_directories(fuzz_pe PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_options(fuzz_pe PRIVATE ${QUIZ_FUZZ_FLAGS})
target_link_options(fuzz_pe PRIVATE -fsanitize=fuzzer,address,undefined)
