# libFuzzer targets (clang), under AddressSanitizer and UBSan, one per reader
# of untrusted bytes; each has a corpus in tests/fuzz/corpus/NAME.
function(quiz_fuzz_target name)
  add_executable(${name} ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
endfunction()

# The packer compares dictionary strings with input bytes, nothing a fuzzer
# learns from, and tracing every such comparison made it the cost of each run.
set_source_files_properties(quiz/lzw_encode.cpp PROPERTIES COMPILE_OPTIONS -fno-sanitize-coverage=trace-cmp)

# The codec, the payload parsing and the verdict rules.
quiz_fuzz_target(fuzz_core tests/fuzz/fuzz_core.cpp ${QUIZ_CORE_SOURCES} quiz/notice_stderr.cpp)
# The answers file as the player reads it.
quiz_fuzz_target(fuzz_answers tests/fuzz/fuzz_answers.cpp ${QUIZ_CORE_SOURCES} quiz/notice_stderr.cpp)

# The builder's picture fitting with its decoders and the vendored
# libjpeg-turbo (decoder and encoder) and LodePNG, which every target of the
# builder's sources links.
include(cmake/builder-sources.cmake)
include(third_party/libjpeg-turbo/sources.cmake)
include(third_party/lodepng/sources.cmake)
add_library(fuzz_pictures STATIC ${QUIZ_BUILDER_PICTURE_SOURCES} ${QUIZ_BUILDER_PICTURE_C_SOURCES}
            ${QUIZ_LIBJPEG_TURBO_SOURCES} ${QUIZ_LIBJPEG_TURBO_ENCODER_SOURCES})
target_include_directories(fuzz_pictures PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}
  PRIVATE ${QUIZ_LIBJPEG_TURBO_DIR}/config ${QUIZ_LIBJPEG_TURBO_DIR})
target_compile_options(fuzz_pictures PRIVATE -g -O1 -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)

# Quiz descriptions through the checks of `quizbuild check` on a made-up
# disk, and fit descriptions extracted and built again.
quiz_fuzz_target(fuzz_description tests/fuzz/fuzz_description.cpp ${QUIZ_BUILDER_SOURCES} ${QUIZ_CORE_SOURCES}
                 quiz/notice_stderr.cpp)
target_link_libraries(fuzz_description PRIVATE fuzz_pictures)

# The builder's program-file reader and writer, from crafted images.
quiz_fuzz_target(fuzz_pe tests/fuzz/fuzz_pe.cpp tools/builder/program/pe_image.cpp tools/builder/program/pe_resources.cpp
                 tools/builder/program/pe_resource_tree.cpp tools/builder/program/pe_checksum.cpp tools/builder/program/pe_resource_update.cpp)

# Spreadsheets' CSV files of entries, and their way back through extract --csv.
quiz_fuzz_target(fuzz_csv tests/fuzz/fuzz_csv.cpp ${QUIZ_BUILDER_SOURCES} ${QUIZ_CORE_SOURCES} quiz/notice_stderr.cpp)
target_link_libraries(fuzz_csv PRIVATE fuzz_pictures)

# Any bytes as a picture to fit, as --fit-pictures and the studio's import
# fit them: JPEG, PNG, GIF and BMP decoders, the resampling and the encoder.
quiz_fuzz_target(fuzz_fitting tests/fuzz/fuzz_fitting.cpp quiz/picture_size.cpp quiz/picture_resample.cpp)
target_link_libraries(fuzz_fitting PRIVATE fuzz_pictures)

# JPEG pictures through the board's reduced decoding and fitting, the
# vendored libjpeg-turbo included.
quiz_fuzz_target(fuzz_jpeg tests/fuzz/fuzz_jpeg.cpp quiz/jpeg_decode.c quiz/picture_size.cpp
                 quiz/picture_resample.cpp
                 ${QUIZ_LIBJPEG_TURBO_SOURCES})
target_include_directories(fuzz_jpeg PRIVATE ${QUIZ_LIBJPEG_TURBO_DIR}/config ${QUIZ_LIBJPEG_TURBO_DIR})

add_custom_target(fuzz_targets DEPENDS fuzz_core fuzz_answers fuzz_description fuzz_pe fuzz_csv fuzz_jpeg fuzz_fitting)
