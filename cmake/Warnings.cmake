# One target carries the warning flags (and, when asked for, the sanitizers);
# every library, program, test and benchmark links it.
add_library(qzc_warnings INTERFACE)
target_compile_options(qzc_warnings INTERFACE -Wall -Wextra -Wpedantic $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
                                              -Wnon-virtual-dtor -Woverloaded-virtual)

if(QZC_SANITIZE)
  target_compile_options(qzc_warnings INTERFACE -fsanitize=address,undefined
                                                -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(qzc_warnings INTERFACE -fsanitize=address,undefined)
endif()

# The fuzz build: every object carries libFuzzer's coverage hooks and both sanitizers; the
# fuzz targets link libFuzzer itself (fuzz/CMakeLists.txt).
if(QZC_BUILD_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QZC_BUILD_FUZZ needs clang (CXX=clang++)")
  endif()
  target_compile_options(qzc_warnings INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                                -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(qzc_warnings INTERFACE -fsanitize=address,undefined)
endif()
