# Installs the build into a folder, moves the folder, and runs the moved copy: the simulator on a
# fresh device and the settings-file tool on it. The copy must find its libraries and data beside
# itself: with its own data folder taken away it must fail with the reason, although the build
# tree's data is still there, and its libraries must be loaded from its own lib/.
#   cmake -DBUILD_DIR=<build tree> -DWORK_DIR=<scratch folder> -P RelocatedInstall.cmake
cmake_minimum_required(VERSION 3.25)

# expect("<condition as a list>" "<message when it does not hold>")
function(expect condition message)
  if(NOT (${condition}))
    message(FATAL_ERROR "${message}")
  endif()
endfunction()

# run(NAME <prefix of the result variables> [EXPECT <exit status>] COMMAND ...)
function(run name)
  cmake_parse_arguments(RUN "" "EXPECT" "COMMAND" ${ARGN})
  if(NOT DEFINED RUN_EXPECT)
    set(RUN_EXPECT 0)
  endif()
  execute_process(COMMAND ${RUN_COMMAND} WORKING_DIRECTORY ${WORK_DIR}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status STREQUAL RUN_EXPECT)
    message(FATAL_ERROR "${RUN_COMMAND}\nexited ${status}, expected ${RUN_EXPECT}\n${out}\n${err}")
  endif()
  set(${name}_out "${out}" PARENT_SCOPE)
  set(${name}_err "${err}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
run(install COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/installed)
file(RENAME ${WORK_DIR}/installed ${WORK_DIR}/moved)
set(moved ${WORK_DIR}/moved)
foreach(part bin/vorlan lib/libvorlan_host.so lib/libvorlan_store.so share/vorlan/device
        share/vorlan/package/DEBIAN/control)
  expect("EXISTS;${moved}/${part}" "the install has no ${part}")
endforeach()

file(WRITE ${WORK_DIR}/script.txt "launch springboard\nlaunch settings\nwait 0.5\ncells\n"
                                  "shot screen.png\nlog\n")
# The libraries the program loads are named in the dynamic loader's report.
set(ENV{LD_DEBUG} libs)
run(sim COMMAND ${moved}/bin/vorlan sim --device device --script script.txt)
unset(ENV{LD_DEBUG})
string(FIND "${sim_out}" "<Vorlan3>" loaded)
expect("NOT;loaded;EQUAL;-1" "the extension did not load:\n${sim_out}")
expect("EXISTS;${WORK_DIR}/screen.png" "no screenshot was written")
string(REGEX MATCHALL "init: [^\n]*/libvorlan_(host|store)\\.so" inits "${sim_err}")
list(LENGTH inits count)
expect("count;GREATER_EQUAL;2" "the loader did not report the program's libraries:\n${sim_err}")
foreach(init IN LISTS inits)
  string(FIND "${init}" "init: ${moved}/" ours)
  expect("ours;EQUAL;0" "a library was not loaded from the moved copy: ${init}")
endforeach()

# The device got the package's library, byte for byte.
set(library Library/MobileSubstrate/DynamicLibraries/Vorlan3.dylib)
file(SHA256 ${WORK_DIR}/device/${library} onDevice)
file(SHA256 ${moved}/share/vorlan/package/${library} inPackage)
expect("onDevice;STREQUAL;inPackage" "the device's library is not the package's")

run(path COMMAND ${moved}/bin/vorlan prefs --device device path)
expect("path_out;STREQUAL;${WORK_DIR}/device/var/mobile/Library/Preferences/com.vorlan.vorlan3.plist\n"
       "wrong settings path: ${path_out}")
run(check COMMAND ${moved}/bin/vorlan prefs --device device check)

# Without its own data the moved copy stops with the reason, and lays nothing out.
file(RENAME ${moved}/share ${moved}/share-away)
run(missing EXPECT 1 COMMAND ${moved}/bin/vorlan sim --device fresh --script script.txt)
string(FIND "${missing_err}" "the program's data is missing: ${moved}/share/vorlan/device" said)
expect("NOT;said;EQUAL;-1" "no clear reason for the missing data: ${missing_err}")
expect("NOT;EXISTS;${WORK_DIR}/fresh" "a device was laid out without the program's data")

file(REMOVE_RECURSE ${WORK_DIR})
