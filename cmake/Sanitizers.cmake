# The sanitizer build instruments every target; any report aborts the process so a test fails.
if(VORLAN_SANITIZE)
  set(_vorlan_san -fsanitize=address,undefined,leak -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_vorlan_san})
  add_link_options(${_vorlan_san})
endif()
