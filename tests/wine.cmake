# Tests of the Windows tree's programs, run under Wine, and the fuzz run of
# the clang tree; both trees are built before this one (see the Makefile).
# The Wine tests share one display and one Wine prefix: they take turns, so
# focus, keys and screen colours of one never meet another's windows.
if(QUIZ_WIN32_DIR)
  foreach(program core_tests loader_test builder_test player_test media_test)
    add_test(NAME wine.${program} COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine-run ${QUIZ_WIN32_DIR}/${program}.exe)
  endforeach()
  # The quiz builder's Linux wrapper script.
  add_test(NAME wine.quizbuild_wrapper COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/builder/wrapper-test ${QUIZ_WIN32_DIR})
  set_tests_properties(wine.core_tests wine.loader_test wine.builder_test wine.player_test wine.media_test
    wine.quizbuild_wrapper PROPERTIES TIMEOUT 600 RESOURCE_LOCK wine-display)
  # Sound plays on ALSA's null device: the machine may have no sound card.
  set_tests_properties(wine.media_test PROPERTIES
    ENVIRONMENT "ALSA_CONFIG_PATH=${CMAKE_CURRENT_SOURCE_DIR}/tests/media/alsa-null.conf")
endif()
if(QUIZ_FUZZ_DIR)
  add_test(NAME fuzz.core
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/run-fuzz ${QUIZ_FUZZ_DIR} ${CMAKE_BINARY_DIR}/fuzz ${QUIZ_FUZZ_SECONDS})
  set_tests_properties(fuzz.core PROPERTIES TIMEOUT 300)
endif()
