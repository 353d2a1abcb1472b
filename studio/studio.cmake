# The quiz builder compiled to WebAssembly for the studio page: the same
# sources as quizbuild (its checks, its program and page exports, its CSV
# reader and writer, its command dispatch) over a file layer held in memory
# (memory_*.cpp) instead of the POSIX one, and a bridge (builder_core.cpp,
# builder-session.js) through which the page puts files in, runs a command
# line and takes out the exit code, the messages and the files written.
# One script with the module inside as base64 (no fetch, no eval).
# -O2 and WebAssembly's own exceptions: at -Os, with exceptions caught
# through JavaScript, every byte of a media file read, copied or freed was a
# call of its own (and many a round trip through JavaScript), so the checks
# after a keystroke in a 90-photo quiz took 50 to 80 ms and its preview
# 2 to 4 s; -O2 makes them loops the compiler turns into memset and memcpy.
set(QUIZ_STUDIO_SOURCES
  ${QUIZ_CORE_SOURCES}
  quiz/notice_stderr.cpp
  ${QUIZ_BUILDER_SOURCES}
  ${QUIZ_BUILDER_COMMAND_SOURCES}
  ${QUIZ_BUILDER_PICTURE_SOURCES}
  tools/builder/files/memory_files.cpp
  tools/builder/files/slash_paths.cpp
  tools/builder/files/memory_file_facts.cpp
  tools/builder/files/memory_letter_case.cpp
  studio/builder_core.cpp
  studio/file_questions.cpp
  studio/shape_questions.cpp)
# The vendored CSV parser is C, compiled on its own.
list(REMOVE_ITEM QUIZ_STUDIO_SOURCES third_party/libcsv/libcsv.c)
list(TRANSFORM QUIZ_STUDIO_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/ OUTPUT_VARIABLE QUIZ_STUDIO_PATHS)
file(GLOB QUIZ_STUDIO_HEADERS ${CMAKE_SOURCE_DIR}/quiz/*.h ${CMAKE_SOURCE_DIR}/judging/*.h
     ${CMAKE_SOURCE_DIR}/tools/builder/*/*.h)

set(QUIZ_STUDIO_DIR ${CMAKE_BINARY_DIR}/studio)
set(QUIZ_STUDIO_JS ${QUIZ_STUDIO_DIR}/quizz_builder.js)
set(QUIZ_STUDIO_CSV ${QUIZ_STUDIO_DIR}/libcsv.o)
# Only the header-only JSON library, not the host's /usr/include.
set(QUIZ_STUDIO_JSON_INCLUDE ${QUIZ_STUDIO_DIR}/json-include)
file(MAKE_DIRECTORY ${QUIZ_STUDIO_JSON_INCLUDE})
file(CREATE_LINK /usr/include/nlohmann ${QUIZ_STUDIO_JSON_INCLUDE}/nlohmann SYMBOLIC)

# The picture fitting's C part (libjpeg-turbo's decoder and encoder and
# their wrappers), compiled as C on its own into one object.
set(QUIZ_STUDIO_JPEG ${QUIZ_STUDIO_DIR}/jpeg.o)
set(QUIZ_STUDIO_JPEG_SOURCES ${QUIZ_BUILDER_PICTURE_C_SOURCES} ${QUIZ_LIBJPEG_TURBO_SOURCES}
    ${QUIZ_LIBJPEG_TURBO_ENCODER_SOURCES})
list(TRANSFORM QUIZ_STUDIO_JPEG_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/ REGEX "^[^/]" OUTPUT_VARIABLE QUIZ_STUDIO_JPEG_PATHS)
add_custom_command(
  OUTPUT ${QUIZ_STUDIO_JPEG}
  COMMAND ${CMAKE_COMMAND} -E env ${QUIZ_EMCC_ENV} ${QUIZ_EMCC} -O2 -w -r -I${CMAKE_SOURCE_DIR}
          -I${QUIZ_LIBJPEG_TURBO_DIR}/config -I${QUIZ_LIBJPEG_TURBO_DIR} ${QUIZ_STUDIO_JPEG_PATHS} -o ${QUIZ_STUDIO_JPEG}
  DEPENDS ${QUIZ_STUDIO_JPEG_PATHS}
  COMMENT "Compiling libjpeg-turbo to WebAssembly"
  VERBATIM)
add_custom_command(
  OUTPUT ${QUIZ_STUDIO_CSV}
  COMMAND ${CMAKE_COMMAND} -E env ${QUIZ_EMCC_ENV} ${QUIZ_EMCC} -Os -w -c
          ${CMAKE_SOURCE_DIR}/third_party/libcsv/libcsv.c -o ${QUIZ_STUDIO_CSV}
  DEPENDS ${CMAKE_SOURCE_DIR}/third_party/libcsv/libcsv.c
  COMMENT "Compiling the CSV parser to WebAssembly"
  VERBATIM)
add_custom_command(
  OUTPUT ${QUIZ_STUDIO_JS}
  COMMAND ${CMAKE_COMMAND} -E env ${QUIZ_EMCC_ENV} ${QUIZ_EMCC} -std=c++20 -O2 -fwasm-exceptions
          -I${CMAKE_SOURCE_DIR} -isystem ${QUIZ_STUDIO_JSON_INCLUDE}
          "-DQUIZ_PUBLISHER_URL=\"${QUIZ_PUBLISHER_URL}\"" -DLODEPNG_NO_COMPILE_ENCODER -DLODEPNG_NO_COMPILE_DISK
          ${QUIZ_STUDIO_PATHS} ${QUIZ_PAGE_RUNTIME} ${QUIZ_STUDIO_CSV} ${QUIZ_STUDIO_JPEG} -o ${QUIZ_STUDIO_JS}
          -sDYNAMIC_EXECUTION=0 -sSINGLE_FILE=1
          -sMODULARIZE=1 -sEXPORT_NAME=quizzBuilder -sENVIRONMENT=web,worker,node
          -sFILESYSTEM=0 -sALLOW_MEMORY_GROWTH=1 -sMAXIMUM_MEMORY=4GB
          --js-library ${CMAKE_SOURCE_DIR}/studio/captured-streams.js
          --post-js ${CMAKE_SOURCE_DIR}/web/wasm-memory.js
          --post-js ${CMAKE_SOURCE_DIR}/studio/builder-session.js
          --post-js ${CMAKE_SOURCE_DIR}/studio/file-questions.js
          --post-js ${CMAKE_SOURCE_DIR}/studio/shape-questions.js
          -sEXPORTED_FUNCTIONS=_malloc,_free
          -sEXPORTED_RUNTIME_METHODS=UTF8ToString,stringToUTF8,lengthBytesUTF8
  DEPENDS ${QUIZ_STUDIO_PATHS} ${QUIZ_STUDIO_HEADERS} ${QUIZ_PAGE_RUNTIME} ${QUIZ_STUDIO_CSV} ${QUIZ_STUDIO_JPEG}
          ${CMAKE_SOURCE_DIR}/studio/captured-streams.js ${CMAKE_SOURCE_DIR}/web/wasm-memory.js
          ${CMAKE_SOURCE_DIR}/studio/builder-session.js
          ${CMAKE_SOURCE_DIR}/studio/file-questions.js ${CMAKE_SOURCE_DIR}/studio/shape-questions.js
  COMMENT "Compiling the quiz builder to WebAssembly"
  VERBATIM)
add_custom_target(studio_builder ALL DEPENDS ${QUIZ_STUDIO_JS})
add_dependencies(studio_builder page_runtime)

# The quiz studio, one offline HTML file: studio.html filled with the style,
# the shipped 32-bit player as a data block, the builder module and the
# studio's script parts, joined in this order into one scope (each part uses
# only what the parts before it declare; main.js starts the studio). The
# helpers it shares with the quiz page (web/) come first, since the studio's
# own parts use them and they use nothing of the studio's. Its
# Content-Security-Policy also allows the quiz page's own script and style,
# which the studio previews in a frame.
set(QUIZ_STUDIO_SCRIPT_PARTS
  web/base64.js
  web/elements.js
  web/download.js
  studio/script/zip.js
  studio/script/builder.js
  studio/script/picture-fitting.js
  studio/script/elements.js
  studio/script/quiz-model.js
  studio/script/workspace.js
  studio/script/checks.js
  studio/script/fields.js
  studio/script/trials.js
  studio/script/media-view.js
  studio/script/problems-view.js
  studio/script/settings-view.js
  studio/script/table-view.js
  studio/script/entry-form.js
  studio/script/layout.js
  studio/script/preview.js
  studio/script/save-files.js
  studio/script/results-view.js
  studio/script/open-files.js
  studio/script/media-batch.js
  studio/script/drop-files.js
  studio/script/draft-store.js
  studio/script/my-quizzes.js
  studio/script/keys.js
  studio/script/main.js)
list(TRANSFORM QUIZ_STUDIO_SCRIPT_PARTS PREPEND ${CMAKE_SOURCE_DIR}/ OUTPUT_VARIABLE QUIZ_STUDIO_SCRIPT_PATHS)
# The zip reader's inflater, vendored, goes first as a module of its own.
set(QUIZ_STUDIO_FFLATE ${CMAKE_SOURCE_DIR}/third_party/fflate/fflate.js)
set(QUIZ_STUDIO_PAGE ${QUIZ_STUDIO_DIR}/quizz-studio.html)
set(QUIZ_STUDIO_PLAYER ${QUIZ_WIN32_DIR}/quizz.exe)
if(NOT QUIZ_WIN32_DIR)
  # The studio carries the 32-bit player, which that tree builds.
  message(STATUS "QUIZ_WIN32_DIR is not set: the studio page (studio_page) is left out")
else()
  add_custom_command(
    OUTPUT ${QUIZ_STUDIO_PAGE}
    COMMAND ${QUIZ_NODE} ${CMAKE_SOURCE_DIR}/studio/embed-studio.js ${CMAKE_SOURCE_DIR}/studio/studio.html
            ${CMAKE_SOURCE_DIR}/studio/studio.css ${QUIZ_STUDIO_JS} ${QUIZ_STUDIO_PLAYER} ${QUIZ_PAGE_RUNTIME}
            ${QUIZ_STUDIO_PAGE} fflate=${QUIZ_STUDIO_FFLATE} ${QUIZ_STUDIO_SCRIPT_PATHS}
    DEPENDS ${CMAKE_SOURCE_DIR}/studio/embed-studio.js ${CMAKE_SOURCE_DIR}/web/page-assembly.js
            ${CMAKE_SOURCE_DIR}/studio/studio.html
            ${CMAKE_SOURCE_DIR}/studio/studio.css ${QUIZ_STUDIO_JS} ${QUIZ_STUDIO_PLAYER} ${QUIZ_PAGE_RUNTIME}
            ${QUIZ_STUDIO_FFLATE} ${QUIZ_STUDIO_SCRIPT_PATHS}
    COMMENT "Assembling the quiz studio page"
    VERBATIM)
  # The authors' guide the studio links to sits beside it, as in the release.
  set(QUIZ_GUIDE_PAGE ${QUIZ_STUDIO_DIR}/guide.html)
  add_custom_command(
    OUTPUT ${QUIZ_GUIDE_PAGE}
    COMMAND ${CMAKE_SOURCE_DIR}/tools/guide-page ${CMAKE_SOURCE_DIR}/docs/guide.md ${QUIZ_GUIDE_PAGE}
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/guide-page ${CMAKE_SOURCE_DIR}/docs/guide.md
    COMMENT "Writing the authors' guide page"
    VERBATIM)
  add_custom_target(studio_page ALL DEPENDS ${QUIZ_STUDIO_PAGE} ${QUIZ_GUIDE_PAGE})
  # The builder module is made once, by its own target: two targets making
  # it at once in a parallel build would write over each other.
  add_dependencies(studio_page studio_builder)
endif()
if(QUIZ_TESTS)
  include(tests/studio/tests.cmake)
endif()
