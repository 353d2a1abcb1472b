# The web page's runtime: the judging core compiled to WebAssembly with
# emscripten (the same sources as the player's portable core, no eval, so a
# strict Content-Security-Policy holds; the module goes into the script as
# base64 and is handed to the loader, which would otherwise fetch it),
# joined with the page's script parts and style into a C++ source that the quiz
# builder compiles in, so quizbuild stays one self-contained program.
find_program(QUIZ_EMCC emcc)
find_program(QUIZ_NODE node)
if(NOT QUIZ_EMCC OR NOT QUIZ_NODE)
  message(FATAL_ERROR "emcc or node is missing: install emscripten and nodejs (tools/setup-debian)")
endif()

set(QUIZ_PAGE_CORE_SOURCES
  page/page_core.cpp
  page/suspend_data.cpp
  quiz/quiz.cpp
  quiz/lzw_state.cpp
  quiz/lzw_decode.cpp
  quiz/lzw_encode.cpp
  quiz/notice_stderr.cpp
  quiz/payload.cpp
  quiz/windows_1252.cpp
  quiz/base64.cpp
  judging/verdict.cpp
  judging/board_rules.cpp
  judging/reward.cpp
  judging/verdict_colour.cpp
  quiz/answers_text.cpp)
list(TRANSFORM QUIZ_PAGE_CORE_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/ OUTPUT_VARIABLE QUIZ_PAGE_CORE_PATHS)
file(GLOB QUIZ_PAGE_CORE_HEADERS ${CMAKE_SOURCE_DIR}/quiz/*.h ${CMAKE_SOURCE_DIR}/judging/*.h ${CMAKE_SOURCE_DIR}/page/*.h)

set(QUIZ_PAGE_CORE_JS ${CMAKE_BINARY_DIR}/page/quizz_core.js)
set(QUIZ_PAGE_CORE_WASM ${CMAKE_BINARY_DIR}/page/quizz_core.wasm)
set(QUIZ_PAGE_RUNTIME ${CMAKE_BINARY_DIR}/page/page_runtime.cpp)
# Debian's emscripten finds its JavaScript packages (acorn) there, whichever
# node runs it.
set(QUIZ_EMCC_ENV NODE_PATH=/usr/share/nodejs:/usr/lib/nodejs)
add_custom_command(
  OUTPUT ${QUIZ_PAGE_CORE_JS} ${QUIZ_PAGE_CORE_WASM}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/page
  COMMAND ${CMAKE_COMMAND} -E env ${QUIZ_EMCC_ENV} ${QUIZ_EMCC} -std=c++20 -Os -I${CMAKE_SOURCE_DIR}
          ${QUIZ_PAGE_CORE_PATHS} -o ${QUIZ_PAGE_CORE_JS}
          -sDYNAMIC_EXECUTION=0 -sMODULARIZE=1 -sEXPORT_NAME=quizzCore -sENVIRONMENT=web
          -sFILESYSTEM=0 -sALLOW_MEMORY_GROWTH=1 -sEXPORTED_FUNCTIONS=_malloc,_free
          -sEXPORTED_RUNTIME_METHODS=UTF8ToString,stringToUTF8,lengthBytesUTF8
  DEPENDS ${QUIZ_PAGE_CORE_PATHS} ${QUIZ_PAGE_CORE_HEADERS}
  COMMENT "Compiling the page's judging core to WebAssembly"
  VERBATIM)
# The page's script in parts, joined in this order into one scope: each part
# uses only what the parts before it declare, and main.js starts the page.
# The helpers it shares with the studio (web/) come first, since the page's
# own parts use them and they use nothing of the page's.
set(QUIZ_PAGE_SCRIPT_PARTS
  web/base64.js
  web/wasm-memory.js
  web/elements.js
  web/download.js
  page/script/core-bridge.js
  page/script/elements.js
  page/script/page-state.js
  page/script/media.js
  page/script/header.js
  page/script/board.js
  page/script/storage.js
  page/script/platform.js
  page/script/verdicts.js
  page/script/answers-file.js
  page/script/fresh-start.js
  page/script/keys.js
  page/script/main.js)
list(TRANSFORM QUIZ_PAGE_SCRIPT_PARTS PREPEND ${CMAKE_SOURCE_DIR}/ OUTPUT_VARIABLE QUIZ_PAGE_SCRIPT_PATHS)
add_custom_command(
  OUTPUT ${QUIZ_PAGE_RUNTIME}
  COMMAND ${QUIZ_NODE} ${CMAKE_SOURCE_DIR}/page/embed-runtime.js ${QUIZ_PAGE_CORE_JS} ${QUIZ_PAGE_CORE_WASM}
          ${CMAKE_SOURCE_DIR}/page/page.css ${QUIZ_PAGE_RUNTIME} ${QUIZ_PAGE_SCRIPT_PATHS}
  DEPENDS ${QUIZ_PAGE_CORE_JS} ${QUIZ_PAGE_CORE_WASM} ${QUIZ_PAGE_SCRIPT_PATHS} ${CMAKE_SOURCE_DIR}/page/page.css
          ${CMAKE_SOURCE_DIR}/page/embed-runtime.js ${CMAKE_SOURCE_DIR}/web/page-assembly.js
  COMMENT "Embedding the page runtime"
  VERBATIM)
# Made once, by this target, before whatever compiles it or embeds it:
# targets making one file at once in a parallel build write over each other.
add_custom_target(page_runtime DEPENDS ${QUIZ_PAGE_RUNTIME})
