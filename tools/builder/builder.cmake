# quizbuild: the quiz builder. Everything but the file layer's primitives
# is portable: the checks, conversions and payload assembly, the
# program-file reader and writer (pe_*), the whole-file reads and writes
# (files.cpp), and the commands. The Windows program (quizbuild.exe) adds
# the win32_* files; the native Linux program (build/host/quizbuild) the
# posix_* files. The portable parts are unit-tested on the host.
include(cmake/builder-sources.cmake)
include(page/page.cmake)
set(QUIZ_BUILDER_PROGRAM_SOURCES ${QUIZ_BUILDER_SOURCES} ${QUIZ_BUILDER_COMMAND_SOURCES}
    ${QUIZ_BUILDER_PICTURE_SOURCES} ${QUIZ_PAGE_RUNTIME})

# The picture fitting's C part: libjpeg-turbo's decoder and encoder and the
# wrappers around them, unchecked like any vendored library. The player
# links its own decoder alone (quizjpeg), never the encoder.
include(third_party/libjpeg-turbo/sources.cmake)
include(third_party/lodepng/sources.cmake)
add_library(quizbuildjpeg STATIC ${QUIZ_BUILDER_PICTURE_C_SOURCES} ${QUIZ_LIBJPEG_TURBO_SOURCES}
            ${QUIZ_LIBJPEG_TURBO_ENCODER_SOURCES})
target_include_directories(quizbuildjpeg PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}
  PRIVATE ${QUIZ_LIBJPEG_TURBO_DIR}/config ${QUIZ_LIBJPEG_TURBO_DIR})
set_source_files_properties(${QUIZ_BUILDER_PICTURE_C_SOURCES} PROPERTIES COMPILE_OPTIONS "-Wall;-Wextra")

# The page's header link when a quiz gives none: the player's default.
set_property(SOURCE tools/builder/output/web_page.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             QUIZ_PUBLISHER_URL="${QUIZ_PUBLISHER_URL}")

if(NOT EXISTS /usr/include/nlohmann/json.hpp)
  message(FATAL_ERROR "nlohmann/json.hpp is missing: install nlohmann-json3-dev (tools/setup-debian)")
endif()

if(WIN32)
  # Only the header-only JSON library, not the host's /usr/include, whose C
  # headers would shadow mingw's own.
  set(QUIZ_JSON_INCLUDE ${CMAKE_BINARY_DIR}/json-include)
  file(MAKE_DIRECTORY ${QUIZ_JSON_INCLUDE})
  file(CREATE_LINK /usr/include/nlohmann ${QUIZ_JSON_INCLUDE}/nlohmann SYMBOLIC)

  add_library(quizbuildcore STATIC ${QUIZ_BUILDER_PROGRAM_SOURCES} tools/builder/files/win32_files.cpp
              tools/builder/files/win32_file_facts.cpp tools/builder/files/win32_letter_case.cpp
              tools/builder/commands/win32_console.cpp)
  target_include_directories(quizbuildcore SYSTEM PUBLIC ${QUIZ_JSON_INCLUDE})
  target_link_libraries(quizbuildcore PUBLIC quizcore quizbuildjpeg)
  add_dependencies(quizbuildcore page_runtime)
  target_compile_options(quizbuildcore PRIVATE -Wall -Wextra)

  add_executable(quizbuild tools/builder/main.cpp)
  target_link_libraries(quizbuild PRIVATE quizbuildcore quiznotice)
  target_compile_options(quizbuild PRIVATE -Wall -Wextra)
  # Stripped: its symbols and debug information made it over 20 MB.
  target_link_options(quizbuild PRIVATE -s)
  # The builder holds the media about three times over while it writes: a
  # 32-bit one that may use all 4 GB that 64-bit Windows gives it builds
  # quizzes up to the media cap, where 2 GB would stop it near 450 MiB.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(quizbuild PRIVATE -Wl,--large-address-aware)
  endif()
else()
  # The native program, unchecked and optimised like any tool.
  add_library(quizbuildcore STATIC ${QUIZ_BUILDER_PROGRAM_SOURCES} tools/builder/files/posix_files.cpp tools/builder/files/slash_paths.cpp
              tools/builder/files/posix_file_facts.cpp tools/builder/files/posix_letter_case.cpp)
  target_link_libraries(quizbuildcore PUBLIC quizcore quizbuildjpeg)
  add_dependencies(quizbuildcore page_runtime)
  target_compile_options(quizbuildcore PRIVATE -Wall -Wextra)
  add_executable(quizbuild tools/builder/main.cpp)
  target_link_libraries(quizbuild PRIVATE quizbuildcore)
  target_compile_options(quizbuild PRIVATE -Wall -Wextra)
  # The release carries it: no C++ runtime of the build machine's needed.
  target_link_options(quizbuild PRIVATE -static-libstdc++ -static-libgcc)

  if(QUIZ_TESTS)
    add_library(quizbuildcore_checked STATIC ${QUIZ_BUILDER_PROGRAM_SOURCES} tools/builder/files/posix_files.cpp tools/builder/files/slash_paths.cpp
              tools/builder/files/posix_file_facts.cpp tools/builder/files/posix_letter_case.cpp)
    target_link_libraries(quizbuildcore_checked PUBLIC quizcore_checked quizbuildjpeg)
    add_dependencies(quizbuildcore_checked page_runtime)
    target_compile_options(quizbuildcore_checked PRIVATE -Wall -Wextra)
  endif()
endif()

if(QUIZ_TESTS)
  include(tests/builder/tests.cmake)
endif()
