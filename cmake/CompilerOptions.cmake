# Options every target of the project shares.
add_library(marvolenzik_options INTERFACE)
target_compile_options(marvolenzik_options INTERFACE
  -Wall -Wextra
  # The signal path is specified in single precision with explicit rounding points;
  # a fused multiply-add would skip one of them.
  -ffp-contract=off)

if(MARVOLENZIK_SANITIZE)
  target_compile_options(marvolenzik_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
    # The instrumentation blinds GCC's flow analysis: it reports values as maybe
    # uninitialised inside libstdc++ (<regex> among others) that are not. The release
    # build keeps the warning.
    $<$<CXX_COMPILER_ID:GNU>:-Wno-maybe-uninitialized>)
  target_link_options(marvolenzik_options INTERFACE -fsanitize=address,undefined)
endif()

if(WIN32)
  # The C and C++ runtimes linked in: every program and plug-in needs nothing but the
  # system's own libraries.
  target_link_options(marvolenzik_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()
