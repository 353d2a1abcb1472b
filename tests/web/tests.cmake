# The web page in real browsers: Debian's Chromium, headless, driven by
# playwright-core; Debian's Firefox ESR through WebDriver BiDi with
# puppeteer-core; WebKitGTK's MiniBrowser through WebKitWebDriver with
# selenium-webdriver (all pinned in tests/web/package-lock.json, installed
# with npm ci into the build tree, none of them downloading a browser), with
# node's test runner. The page tests build
# their quizzes with the native quizbuild; the differential test judges
# generated pairs through the page's WebAssembly core and web_reference,
# the native core.
find_program(QUIZ_NPM npm)
find_program(QUIZ_CHROMIUM chromium PATHS /usr/bin)
find_program(QUIZ_FIREFOX firefox-esr PATHS /usr/bin)
find_program(QUIZ_WEBKIT_DRIVER WebKitWebDriver PATHS /usr/bin)
find_program(QUIZ_WEBKIT_BROWSER MiniBrowser PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/webkit2gtk-4.1
  /usr/lib/x86_64-linux-gnu/webkit2gtk-4.1 NO_DEFAULT_PATH)
if(NOT QUIZ_NPM OR NOT QUIZ_CHROMIUM OR NOT QUIZ_FIREFOX OR NOT QUIZ_WEBKIT_DRIVER OR NOT QUIZ_WEBKIT_BROWSER)
  message(FATAL_ERROR "npm, chromium, firefox-esr or webkit2gtk-driver is missing: install them (tools/setup-debian)")
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
  COMMAND ${CMAKE_COMMAND} -E env PUPPETEER_SKIP_DOWNLOAD=1 ${QUIZ_NPM} ci --no-audit --no-fund --prefix ${QUIZ_WEB_TEST_DIR}
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
  QUIZ_CHROMIUM=${QUIZ_CHROMIUM}
  QUIZ_FIREFOX=${QUIZ_FIREFOX}
  QUIZ_WEBKIT_DRIVER=${QUIZ_WEBKIT_DRIVER}
  QUIZ_WEBKIT_BROWSER=${QUIZ_WEBKIT_BROWSER})
foreach(test page hostile differential embed access scorm fresh-start)
  add_test(NAME web.${test} COMMAND ${QUIZ_NODE} --test ${CMAKE_SOURCE_DIR}/tests/web/${test}.test.js)
  set_tests_properties(web.${test} PROPERTIES ENVIRONMENT "${QUIZ_WEB_TEST_ENV}" TIMEOUT 300)
endforeach()
# The same tables in Firefox and WebKit, each in a work folder of its own
# (WebKit's MiniBrowser needs the display tests/with-display gives). The
# embed test runs no browser. One WebKit session at a time: two
# WebKitWebDriver sessions side by side now and then leave a command unanswered.
foreach(engine firefox webkit)
  foreach(test page hostile differential access scorm fresh-start)
    add_test(NAME web.${test}.${engine} COMMAND ${QUIZ_NODE} --test ${CMAKE_SOURCE_DIR}/tests/web/${test}.test.js)
    set_tests_properties(web.${test}.${engine} PROPERTIES TIMEOUT 300 RESOURCE_LOCK browser-${engine} ENVIRONMENT
      "${QUIZ_WEB_TEST_ENV};QUIZ_ENGINE=${engine};QUIZ_WEB_WORK=${QUIZ_WEB_TEST_DIR}/work-${engine}")
  endforeach()
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
