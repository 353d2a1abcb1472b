# The JPEG decoder of libjpeg-turbo, without its SIMD or TurboJPEG parts:
# what jpeg_mem_src and jpeg_read_scanlines need, arithmetic-coded files
# included. The player links the decoder alone; the builder adds the
# baseline encoder (jpeg_mem_dest, jpeg_write_scanlines) that stores fitted
# pictures. Kept as Debian ships it, warnings and all.
set(QUIZ_LIBJPEG_TURBO_DIR ${CMAKE_CURRENT_LIST_DIR})
set(QUIZ_LIBJPEG_TURBO_SOURCES)
foreach(name jcomapi jdapimin jdapistd jdatasrc jdcoefct jdcolor jddctmgr jdhuff jdinput jdmainct jdmarker
    jdmaster jdmerge jdphuff jdpostct jdsample jerror jidctflt jidctfst jidctint jidctred jquant1 jquant2 jutils
    jmemmgr jmemnobs jaricom jdarith jsimd_none)
  list(APPEND QUIZ_LIBJPEG_TURBO_SOURCES ${QUIZ_LIBJPEG_TURBO_DIR}/${name}.c)
endforeach()
set(QUIZ_LIBJPEG_TURBO_ENCODER_SOURCES)
foreach(name jcapimin jcapistd jccoefct jccolor jcdctmgr jchuff jcinit jcmainct jcmarker jcmaster jcparam
    jcphuff jcprepct jcsample jdatadst jfdctflt jfdctfst jfdctint)
  list(APPEND QUIZ_LIBJPEG_TURBO_ENCODER_SOURCES ${QUIZ_LIBJPEG_TURBO_DIR}/${name}.c)
endforeach()
set_source_files_properties(${QUIZ_LIBJPEG_TURBO_SOURCES} ${QUIZ_LIBJPEG_TURBO_ENCODER_SOURCES}
                            PROPERTIES COMPILE_OPTIONS -w)
