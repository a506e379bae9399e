# Every target of the project compiles with the same strict warnings, treated as errors.
add_library(vorlan_warnings INTERFACE)
target_compile_options(vorlan_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Werror -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough)
# GCC 12 reports impossible overlaps in std::string concatenation at -O3 (GCC bug 105329).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(vorlan_warnings INTERFACE -Wno-restrict)
endif()
# Clang asks for braces around each nested aggregate ({x, y, w, h} for a rectangle); brace elision
# is how geometry is written here.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  target_compile_options(vorlan_warnings INTERFACE -Wno-missing-braces)
endif()
