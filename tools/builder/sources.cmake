# The builder's portable sources: its checks, conversions, payload assembly
# and program-file reader and writer, built into the Windows program, the host's unit tests and the
# fuzz target alike.
set(QUIZ_BUILDER_SOURCES
  tools/builder/windows_1252.cpp
  tools/builder/diagnostics.cpp
  tools/builder/file_facts.cpp
  tools/builder/program_header.cpp
  tools/builder/output_guard.cpp
  tools/builder/media_format.cpp
  tools/builder/answer_warnings.cpp
  tools/builder/json_mistakes.cpp
  tools/builder/json_text.cpp
  tools/builder/csv_encoding.cpp
  tools/builder/letter_case.cpp
  tools/builder/csv_column_names.cpp
  tools/builder/csv_entries.cpp
  tools/builder/csv_writer.cpp
  third_party/libcsv/libcsv.c
  tools/builder/quiz_shape.cpp
  tools/builder/quiz_description.cpp
  tools/builder/setting_check.cpp
  tools/builder/codec.cpp
  tools/builder/quiz_resources.cpp
  tools/builder/extraction.cpp
  tools/builder/class_results.cpp
  tools/builder/command_line.cpp
  tools/builder/temporary_files.cpp
  tools/builder/pe_image.cpp
  tools/builder/pe_resources.cpp
  tools/builder/pe_resource_tree.cpp
  tools/builder/pe_checksum.cpp
  tools/builder/pe_resource_update.cpp)
# The vendored parser is kept as Debian ships it, warnings and all.
set_source_files_properties(third_party/libcsv/libcsv.c PROPERTIES COMPILE_OPTIONS -w)
