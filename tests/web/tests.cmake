# The web page in a real browser: Debian's Chromium, headless, driven by
# playwright-core (pinned in tests/web/package-lock.json, installed with
# npm ci into the build tree), with node's test runner. The page tests build
# their quizzes with the native quizbuild; the differential test judges
# generated pairs through the page's WebAssembly core and web_reference,
# the native core.
find_program(QUIZ_NPM npm)
find_program(QUIZ_CHROMIUM chromium PATHS /usr/bin)
if(NOT QUIZ_NPM OR NOT QUIZ_CHROMIUM)
  message(FATAL_ERROR "npm or chromium is missing: install them (tools/setup-debian)")
endif()

add_executable(web_reference tests/web/web_reference.cpp)
target_include_directories(web_reference PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(web_reference PRIVATE quizcore_checked)

set(QUIZ_WEB_TEST_DIR ${CMAKE_BINARY_DIR}/web-tests)
add_custom_command(
  OUTPUT ${QUIZ_WEB_TEST_DIR}/node_modules/playwright-core/package.json
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUIZ_WEB_TEST_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/tests/web/package.json
          ${CMAKE_SOURCE_DIR}/tests/web/package-lock.json ${QUIZ_WEB_TEST_DIR}
  COMMAND ${QUIZ_NPM} ci --no-audit --no-fund --prefix ${QUIZ_WEB_TEST_DIR}
  DEPENDS ${CMAKE_SOURCE_DIR}/tests/web/package.json ${CMAKE_SOURCE_DIR}/tests/web/package-lock.json
  COMMENT "Installing the page tests' browser driver (npm ci)"
  VERBATIM)
add_custom_target(web_test_modules ALL DEPENDS ${QUIZ_WEB_TEST_DIR}/node_modules/playwright-core/package.json)

set(QUIZ_WEB_TEST_ENV
  QUIZ_BUILDER=$<TARGET_FILE:quizbuild>
  QUIZ_WEB_REFERENCE=$<TARGET_FILE:web_reference>
  QUIZ_NODE_MODULES=${QUIZ_WEB_TEST_DIR}/node_modules
  QUIZ_SOURCE=${CMAKE_SOURCE_DIR}
  QUIZ_WEB_WORK=${QUIZ_WEB_TEST_DIR}/work
  QUIZ_CHROMIUM=${QUIZ_CHROMIUM})
foreach(test page hostile differential embed access scorm fresh-start)
  add_test(NAME web.${test} COMMAND ${QUIZ_NODE} --test ${CMAKE_SOURCE_DIR}/tests/web/${test}.test.js)
  set_tests_properties(web.${test} PROPERTIES ENVIRONMENT "${QUIZ_WEB_TEST_ENV}" TIMEOUT 300)
endforeach()
# The page and studio tests run with Debian 12's own node (18, built on the
# shared libnode), as a fresh machine has it, even where a newer node comes
# first in PATH: the Makefile passes what tools/debian-node finds or unpacks.
add_test(NAME config.debian_node COMMAND ${QUIZ_NODE} -e
  "const v = process.version, shared = process.config.variables.node_shared === true;
   if (!v.startsWith('v18.') || !shared) {
     console.error(process.execPath + ' is node ' + v + (shared ? '' : ', not built on a shared libnode')
       + ': not Debian 12 own; configure with -DQUIZ_NODE= what tools/debian-node prints, as make does');
     process.exit(1);
   }
   console.log('Debian 12 node ' + v);")
