# The builder's portable sources: its checks, conversions, payload assembly
# and program-file reader and writer, built into the Windows program, the host's unit tests and the
# fuzz target alike.
set(QUIZ_BUILDER_SOURCES
  tools/builder/input/message_catalogue.cpp
  tools/builder/input/diagnostics.cpp
  tools/builder/input/problem_records.cpp
  tools/builder/input/input_size.cpp
  tools/builder/files/file_facts.cpp
  tools/builder/program/program_header.cpp
  tools/builder/commands/output_guard.cpp
  tools/builder/input/media_format.cpp
  tools/builder/input/answer_warnings.cpp
  tools/builder/input/header_labels.cpp
  tools/builder/input/json_mistakes.cpp
  tools/builder/input/json_text.cpp
  tools/builder/input/csv_encoding.cpp
  tools/builder/files/letter_case.cpp
  tools/builder/input/csv_column_names.cpp
  tools/builder/input/csv_entries.cpp
  tools/builder/output/csv_writer.cpp
  third_party/libcsv/libcsv.c
  tools/builder/input/quiz_shape.cpp
  tools/builder/input/quiz_description.cpp
  tools/builder/input/setting_check.cpp
  tools/builder/input/media_size_problem.cpp
  tools/builder/program/codec.cpp
  tools/builder/program/quiz_resources.cpp
  tools/builder/program/stored_quiz.cpp
  tools/builder/output/extraction.cpp
  tools/builder/output/class_results.cpp
  tools/builder/commands/command_line.cpp
  tools/builder/files/temporary_files.cpp
  tools/builder/program/pe_image.cpp
  tools/builder/program/pe_resources.cpp
  tools/builder/program/pe_resource_tree.cpp
  tools/builder/program/pe_checksum.cpp
  tools/builder/program/pe_resource_update.cpp)
# The vendored parser is kept as Debian ships it, warnings and all.
set_source_files_properties(third_party/libcsv/libcsv.c PROPERTIES COMPILE_OPTIONS -w)
# Above them, what the program and the studio's builder both add: the
# writers, the whole-file reads and writes, the quiz's files and the commands.
set(QUIZ_BUILDER_COMMAND_SOURCES
  tools/builder/program/resource_reader.cpp
  tools/builder/output/resource_writer.cpp
  tools/builder/output/page_escaping.cpp
  tools/builder/output/web_page.cpp
  tools/builder/output/stored_zip.cpp
  tools/builder/output/scorm_package.cpp
  tools/builder/files/files.cpp
  tools/builder/input/quiz_files.cpp
  tools/builder/program/player_file.cpp
  tools/builder/commands/commands.cpp
  tools/builder/commands/results_command.cpp
  tools/builder/commands/system_language.cpp
  tools/builder/commands/command_dispatch.cpp)
# Pictures fitted to the board's size (--fit-pictures, the studio's import):
# decoders, the fitting, and the vendored PNG decoder. With them, in C and
# compiled on their own, go the JPEG encoder's wrapper and libjpeg-turbo
# (third_party/libjpeg-turbo/sources.cmake, decoder and encoder).
set(QUIZ_BUILDER_PICTURE_SOURCES
  tools/builder/input/picture_bitmap.cpp
  tools/builder/input/bmp_decode.cpp
  tools/builder/input/gif_decode.cpp
  tools/builder/input/picture_fitting.cpp
  tools/builder/program/fitted_resources.cpp
  third_party/lodepng/lodepng.cpp)
set(QUIZ_BUILDER_PICTURE_C_SOURCES quiz/jpeg_decode.c tools/builder/input/jpeg_encode.c)
