# One target carries the warning flags (and, when asked for, the sanitizers);
# every library, program, test and benchmark links it.
add_library(qzc_warnings INTERFACE)
target_compile_options(qzc_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow=local
                                              -Wnon-virtual-dtor -Woverloaded-virtual)

if(QZC_SANITIZE)
  target_compile_options(qzc_warnings INTERFACE -fsanitize=address,undefined
                                                -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(qzc_warnings INTERFACE -fsanitize=address,undefined)
endif()
