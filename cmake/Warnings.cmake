# Every target of the project compiles with the same strict warnings, treated as errors.
add_library(vorlan_warnings INTERFACE)
target_compile_options(vorlan_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Werror -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough)
