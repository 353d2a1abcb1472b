# LodePNG's decoder alone: no encoder, no file access. Kept as Debian ships
# it, warnings and all.
set(QUIZ_LODEPNG_SOURCE third_party/lodepng/lodepng.cpp)
set(QUIZ_LODEPNG_DEFINITIONS LODEPNG_NO_COMPILE_ENCODER LODEPNG_NO_COMPILE_DISK)
set_source_files_properties(${QUIZ_LODEPNG_SOURCE} PROPERTIES COMPILE_OPTIONS -w
                            COMPILE_DEFINITIONS "${QUIZ_LODEPNG_DEFINITIONS}")
