# Tests of the Windows tree's programs, run under Wine, and the fuzz run of
# the clang tree; both trees are built before this one (see the Makefile).
if(QUIZ_WIN32_DIR)
  foreach(program core_tests loader_test)
    add_test(NAME wine.${program} COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine-run ${QUIZ_WIN32_DIR}/${program}.exe)
    set_tests_properties(wine.${program} PROPERTIES TIMEOUT 600)
  endforeach()
endif()
if(QUIZ_FUZZ_DIR)
  add_test(NAME fuzz.core
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/run-fuzz ${QUIZ_FUZZ_DIR} ${CMAKE_BINARY_DIR}/fuzz ${QUIZ_FUZZ_SECONDS})
  set_tests_properties(fuzz.core PROPERTIES TIMEOUT 300)
endif()
