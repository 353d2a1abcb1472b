# The builder compiled to WebAssembly (studio/studio.cmake) against the
# native quizbuild, in node alone: both run the same command lines on the
# same files, with the shipped 32-bit player; its editor checks judge
# generated pairs as web_reference, the native core, does.
add_test(NAME studio.builder_core COMMAND ${QUIZ_NODE} --test ${CMAKE_SOURCE_DIR}/tests/studio/builder-core.test.js)
set_tests_properties(studio.builder_core PROPERTIES TIMEOUT 300 ENVIRONMENT
  "QUIZ_BUILDER=$<TARGET_FILE:quizbuild>;QUIZ_WEB_REFERENCE=$<TARGET_FILE:web_reference>;QUIZ_STUDIO_BUILDER=${QUIZ_STUDIO_JS};QUIZ_PLAYER=${QUIZ_WIN32_DIR}/quizz.exe;QUIZ_SOURCE=${CMAKE_SOURCE_DIR}")
# The studio's zip reading and writing (studio/script/zip.js), in node.
add_test(NAME studio.zip COMMAND ${QUIZ_NODE} --test ${CMAKE_SOURCE_DIR}/tests/studio/zip.test.js)
set_tests_properties(studio.zip PROPERTIES TIMEOUT 120 ENVIRONMENT "QUIZ_SOURCE=${CMAKE_SOURCE_DIR}")
# The studio page itself in the web tests' browsers, driven through its
# controls: quizzes made, opened, broken, undone and kept as a draft; what
# it saves is held to what the native quizbuild makes of the same description.
if(TARGET studio_page)
  add_test(NAME studio.page COMMAND ${QUIZ_NODE} --test ${CMAKE_SOURCE_DIR}/tests/studio/studio.test.js)
  set_tests_properties(studio.page PROPERTIES TIMEOUT 600 ENVIRONMENT
    "${QUIZ_WEB_TEST_ENV};QUIZ_STUDIO_PAGE=${QUIZ_STUDIO_PAGE};QUIZ_STUDIO_BUILDER=${QUIZ_STUDIO_JS};QUIZ_PLAYER=${QUIZ_WIN32_DIR}/quizz.exe;QUIZ_STUDIO_PLAY_DIR=${QUIZ_STUDIO_PLAY_DIR}"
    FIXTURES_SETUP studio_program)
  # A teacher's evening: the faults she met, one row each; and a batch of
  # phone photos made into entries, picked together or dropped.
  foreach(test evening batch)
    add_test(NAME studio.${test} COMMAND ${QUIZ_NODE} --test ${CMAKE_SOURCE_DIR}/tests/studio/${test}.test.js)
    set_tests_properties(studio.${test} PROPERTIES TIMEOUT 600 ENVIRONMENT
      "${QUIZ_WEB_TEST_ENV};QUIZ_STUDIO_PAGE=${QUIZ_STUDIO_PAGE};QUIZ_PLAYER=${QUIZ_WIN32_DIR}/quizz.exe")
  endforeach()
  # The same in Firefox and WebKit (tests/web/engines.js), each in a work
  # folder of its own, one session of an engine at a time.
  foreach(engine firefox webkit)
    add_test(NAME studio.page.${engine} COMMAND ${QUIZ_NODE} --test ${CMAKE_SOURCE_DIR}/tests/studio/studio.test.js)
    foreach(test evening batch)
      add_test(NAME studio.${test}.${engine} COMMAND ${QUIZ_NODE} --test ${CMAKE_SOURCE_DIR}/tests/studio/${test}.test.js)
    endforeach()
    set_tests_properties(studio.page.${engine} studio.evening.${engine} studio.batch.${engine} PROPERTIES TIMEOUT 900
      RESOURCE_LOCK browser-${engine} ENVIRONMENT
      "${QUIZ_WEB_TEST_ENV};QUIZ_STUDIO_PAGE=${QUIZ_STUDIO_PAGE};QUIZ_STUDIO_BUILDER=${QUIZ_STUDIO_JS};QUIZ_PLAYER=${QUIZ_WIN32_DIR}/quizz.exe;QUIZ_ENGINE=${engine};QUIZ_WEB_WORK=${QUIZ_WEB_TEST_DIR}/work-${engine}")
  endforeach()
endif()
