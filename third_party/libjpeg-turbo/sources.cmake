# The JPEG decoder of libjpeg-turbo, without its encoder, SIMD or TurboJPEG
# parts: what jpeg_mem_src and jpeg_read_scanlines need, arithmetic-coded
# files included. Kept as Debian ships it, warnings and all.
set(QUIZ_LIBJPEG_TURBO_DIR ${CMAKE_CURRENT_LIST_DIR})
set(QUIZ_LIBJPEG_TURBO_SOURCES)
foreach(name jcomapi jdapimin jdapistd jdatasrc jdcoefct jdcolor jddctmgr jdhuff jdinput jdmainct jdmarker
    jdmaster jdmerge jdphuff jdpostct jdsample jerror jidctflt jidctfst jidctint jidctred jquant1 jquant2 jutils
    jmemmgr jmemnobs jaricom jdarith jsimd_none)
  list(APPEND QUIZ_LIBJPEG_TURBO_SOURCES ${QUIZ_LIBJPEG_TURBO_DIR}/${name}.c)
endforeach()
set_source_files_properties(${QUIZ_LIBJPEG_TURBO_SOURCES} PROPERTIES COMPILE_OPTIONS -w)
