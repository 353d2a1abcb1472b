# quizbuild: the quiz builder. Its checks, conversions and payload assembly
# are portable and unit-tested on the host; the Windows program adds files,
# resource updates and the command dispatch.
set(QUIZ_BUILDER_SOURCES
  tools/builder/windows_1252.cpp
  tools/builder/diagnostics.cpp
  tools/builder/media_format.cpp
  tools/builder/answer_warnings.cpp
  tools/builder/quiz_description.cpp
  tools/builder/codec.cpp
  tools/builder/quiz_resources.cpp
  tools/builder/extraction.cpp
  tools/builder/command_line.cpp
  tools/builder/pe_image.cpp
  tools/builder/pe_resources.cpp
  tools/builder/pe_resource_tree.cpp
  tools/builder/pe_checksum.cpp
  tools/builder/pe_resource_update.cpp)

if(NOT EXISTS /usr/include/nlohmann/json.hpp)
  message(FATAL_ERROR "nlohmann/json.hpp is missing: install nlohmann-json3-dev (tools/setup-debian)")
endif()

if(WIN32)
  # Only the header-only JSON library, not the host's /usr/include, whose C
  # headers would shadow mingw's own.
  set(QUIZ_JSON_INCLUDE ${CMAKE_BINARY_DIR}/json-include)
  file(MAKE_DIRECTORY ${QUIZ_JSON_INCLUDE})
  file(CREATE_LINK /usr/include/nlohmann ${QUIZ_JSON_INCLUDE}/nlohmann SYMBOLIC)

  add_library(quizbuildcore STATIC ${QUIZ_BUILDER_SOURCES})
  target_include_directories(quizbuildcore SYSTEM PUBLIC ${QUIZ_JSON_INCLUDE})
  target_link_libraries(quizbuildcore PUBLIC quizcore)
  target_compile_options(quizbuildcore PRIVATE -Wall -Wextra)

  add_executable(quizbuild
    tools/builder/main.cpp
    tools/builder/commands.cpp
    tools/builder/win32_files.cpp
    tools/builder/resource_reader.cpp
    tools/builder/resource_writer.cpp)
  target_link_libraries(quizbuild PRIVATE quizbuildcore quiznotice)
  target_compile_options(quizbuild PRIVATE -Wall -Wextra)
else()
  add_library(quizbuildcore_checked STATIC ${QUIZ_BUILDER_SOURCES})
  target_link_libraries(quizbuildcore_checked PUBLIC quizcore_checked)
  target_compile_options(quizbuildcore_checked PRIVATE -Wall -Wextra)
endif()

if(QUIZ_TESTS)
  include(tests/builder/tests.cmake)
endif()
