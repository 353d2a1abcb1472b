# Tests of the Windows trees' programs, run under Wine for each architecture
# of QUIZ_WINE_ARCHES, and the fuzz run of the clang tree; those trees are
# built before this one (see the Makefile). The Wine tests share one display
# and take turns, so focus, keys and screen colours of one never meet
# another's windows.
set(QUIZ_WINE_ARCHES "" CACHE STRING "Architectures whose programs the Wine tests run (i686, x86_64)")
# The Makefile separates them by spaces, as tests/wine-arches prints them; a
# person's own -DQUIZ_WINE_ARCHES may use semicolons.
string(REPLACE " " ";" quiz_wine_arches "${QUIZ_WINE_ARCHES}")
list(REMOVE_ITEM quiz_wine_arches "")
list(REMOVE_DUPLICATES quiz_wine_arches)
# Where the studio's page test leaves the text quiz program it made.
set(QUIZ_STUDIO_PLAY_DIR ${CMAKE_BINARY_DIR}/studio-play)
foreach(arch IN LISTS quiz_wine_arches)
  if(arch STREQUAL "i686")
    set(dir ${QUIZ_WIN32_DIR})
  elseif(arch STREQUAL "x86_64")
    set(dir ${QUIZ_WIN64_DIR})
  else()
    message(FATAL_ERROR "QUIZ_WINE_ARCHES: unknown architecture ${arch}; use i686 or x86_64")
  endif()
  set(names)
  foreach(program core_tests loader_test builder_test player_test media_test)
    add_test(NAME wine-${arch}.${program} COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine-run ${dir}/${program}.exe)
    list(APPEND names wine-${arch}.${program})
  endforeach()
  # The quiz builder's Linux wrapper script (the native program), and the
  # native and Windows builders making the same files.
  add_test(NAME wine-${arch}.quizbuild_wrapper COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/builder/wrapper-test ${dir})
  add_test(NAME wine-${arch}.quizbuild_same_output
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/builder/same-output-test ${dir})
  # Both builders on a disk that refuses their writes.
  add_test(NAME wine-${arch}.quizbuild_failed_write
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/builder/failed-write-test ${dir})
  # The release zip, unzipped and used as a person would.
  add_test(NAME wine-${arch}.dist COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/dist-test)
  # The builder's table of the header labels against the player's fonts.
  add_test(NAME wine-${arch}.header_labels
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/builder/header-labels-test ${dir} $<TARGET_FILE:quizbuild>)
  list(APPEND names wine-${arch}.quizbuild_wrapper wine-${arch}.quizbuild_same_output
    wine-${arch}.quizbuild_failed_write wine-${arch}.dist wine-${arch}.header_labels)
  set_tests_properties(${names} PROPERTIES TIMEOUT 600 RESOURCE_LOCK wine-display ENVIRONMENT "QUIZ_ARCH=${arch}")
  # The text quiz the studio's page test made in the browser, played here
  # (its program and steps are left in QUIZ_STUDIO_PLAY_DIR).
  add_test(NAME wine-${arch}.studio_program
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/studio-program-test ${arch} ${dir} ${QUIZ_STUDIO_PLAY_DIR}
            $<TARGET_FILE:quizbuild>)
  set_tests_properties(wine-${arch}.studio_program PROPERTIES TIMEOUT 300 RESOURCE_LOCK wine-display
    FIXTURES_REQUIRED studio_program ENVIRONMENT "QUIZ_ARCH=${arch}")
  # Sound plays on ALSA's null device: the machine may have no sound card.
  set_tests_properties(wine-${arch}.media_test PROPERTIES ENVIRONMENT
    "QUIZ_ARCH=${arch};ALSA_CONFIG_PATH=${CMAKE_CURRENT_SOURCE_DIR}/tests/media/alsa-null.conf")
endforeach()
# Whatever this host runs, the other kind of host's configuration, set-up
# and prefixes too.
add_test(NAME config.host_kinds COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/host-kinds-test)
set_tests_properties(config.host_kinds PROPERTIES TIMEOUT 300)
# A short run of each fuzz target over its corpus (make fuzz runs the campaign).
if(QUIZ_FUZZ_DIR)
  foreach(target core answers description pe csv jpeg fitting)
    add_test(NAME fuzz.${target}
      COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/run-fuzz ${QUIZ_FUZZ_DIR} ${CMAKE_BINARY_DIR}/fuzz-${target}
              ${QUIZ_FUZZ_SECONDS} fuzz_${target})
    set_tests_properties(fuzz.${target} PROPERTIES TIMEOUT 300)
  endforeach()
endif()
