/* jconfigint.h.in of libjpeg-turbo 2.1.5, filled in by hand for gcc and
 * clang (mingw-w64 and the host). */
#define BUILD  "quizz"
#undef inline
#define INLINE  __inline__ __attribute__((always_inline))
#define THREAD_LOCAL  __thread
#define PACKAGE_NAME  "libjpeg-turbo"
#define VERSION  "2.1.5"
#if defined(_WIN64) || defined(__LP64__)
#define SIZEOF_SIZE_T  8
#else
#define SIZEOF_SIZE_T  4
#endif
#if defined(__LP64__) || !defined(_WIN64)
#define HAVE_BUILTIN_CTZL
#endif

#if defined(__has_attribute)
#if __has_attribute(fallthrough)
#define FALLTHROUGH  __attribute__((fallthrough));
#else
#define FALLTHROUGH
#endif
#else
#define FALLTHROUGH
#endif
