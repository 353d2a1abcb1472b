# The builder's tests: its portable parts on the host under the sanitizers
# (with the players of both Windows trees for the program-file writer); the
# Windows program, run under Wine, drives quizbuild.exe itself (it is
# registered with the other Wine tests in tests/wine.cmake, as are the
# wrapper's test and the comparison of native and Windows builds).
if(WIN32)
  add_executable(builder_test tests/builder/builder_test.cpp tests/builder/program_writer_test.cpp
                              tests/builder/process_output.cpp tests/win32/quiz_dump.cpp)
  target_link_libraries(builder_test PRIVATE win32driver quizbuildcore gtest gtest_main)
  add_dependencies(builder_test quizbuild loader_probe loader_probe_unstripped quizz)
else()
  add_executable(builder_unit_tests
    tests/builder/windows_1252_test.cpp
    tests/builder/quiz_description_test.cpp
    tests/builder/answer_warnings_test.cpp
    tests/builder/header_labels_test.cpp
    tests/builder/quiz_resources_test.cpp
    tests/builder/extraction_test.cpp
    tests/builder/command_line_test.cpp
    tests/builder/program_header_test.cpp
    tests/builder/output_guard_test.cpp

    tests/builder/pe_resources_test.cpp
    tests/builder/pe_resource_update_test.cpp
    tests/builder/player_image_test.cpp
    tests/builder/csv_entries_test.cpp
    tests/builder/csv_column_names_test.cpp
    tests/builder/quiz_shape_test.cpp
    tests/builder/author_mistakes_test.cpp
    tests/builder/message_catalogue_test.cpp
    tests/builder/class_results_test.cpp
    tests/builder/scorm_package_test.cpp
    tests/builder/picture_makers.cpp
    tests/builder/picture_fitting_test.cpp)

  target_include_directories(builder_unit_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(builder_unit_tests PRIVATE quizbuildcore_checked GTest::gtest GTest::gtest_main)
  target_compile_definitions(builder_unit_tests PRIVATE
    QUIZ_WIN32_PLAYER="${QUIZ_WIN32_DIR}/quizz.exe" QUIZ_WIN64_PLAYER="${QUIZ_WIN64_DIR}/quizz.exe")
  include(GoogleTest)
  gtest_discover_tests(builder_unit_tests TEST_PREFIX "host." DISCOVERY_TIMEOUT 30)
  # The shared file layer over an in-memory disk whose calls fail on demand.
  add_executable(builder_file_layer_test tests/builder/file_layer_test.cpp tools/builder/files/files.cpp
                                         tools/builder/files/temporary_files.cpp)
  target_include_directories(builder_file_layer_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(builder_file_layer_test PRIVATE GTest::gtest GTest::gtest_main)
  gtest_discover_tests(builder_file_layer_test TEST_PREFIX "host." DISCOVERY_TIMEOUT 30)
  # Every example built by tools/quizbuild, with no Wine started.
  add_test(NAME builder.examples COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/builder/examples-test)
  set_tests_properties(builder.examples PROPERTIES TIMEOUT 300)
endif()
