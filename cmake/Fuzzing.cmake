# The fuzzing build (clang only) gives every target the address and undefined-behaviour
# sanitizers, so that a fuzz target driving the store, the hooks and the host is checked in all of
# that code. The fuzzer's coverage instrumentation goes only where a fuzz target explores
# (tests/fuzz/CMakeLists.txt): libFuzzer walks every instrumented counter after each run, and the
# whole host would cost it most of its time.
if(VORLAN_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
