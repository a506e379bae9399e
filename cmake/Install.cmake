# `cmake --install <build> --prefix P` gives a tree that runs from wherever it is moved:
#   P/bin/vorlan                   finds its libraries through a run path relative to itself
#   P/lib/libvorlan_host.so, P/lib/libvorlan_store.so
#   P/share/vorlan/device/         the default device's content
#   P/share/vorlan/package/        the phone package's tree (DEBIAN/control, the extension
#                                  library, its loader filter, the support images)
# The program finds share/vorlan beside its own folder (sim/ProgramData.h), never through a path
# of the source or build tree.
set_target_properties(vorlan PROPERTIES INSTALL_RPATH "$ORIGIN/../lib")
set_target_properties(vorlan_host vorlan_store PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS vorlan vorlan_host vorlan_store
        RUNTIME DESTINATION bin COMPONENT simulator
        LIBRARY DESTINATION lib COMPONENT simulator)
install(DIRECTORY ${VORLAN_DATA_DIR}/ DESTINATION share/vorlan COMPONENT simulator
        USE_SOURCE_PERMISSIONS)

# The phone package on its own, laid out as on a device (Library/..., DEBIAN/control), only when
# asked for by name: `cmake --install <build> --component package --prefix DIR`, then
# `dpkg-deb -b DIR vorlan3.deb`, or `cpack --config <build>/CPackConfig.cmake` for an archive.
install(DIRECTORY ${VORLAN_PACKAGE_DIR}/ DESTINATION . COMPONENT package EXCLUDE_FROM_ALL
        USE_SOURCE_PERMISSIONS)

set(CPACK_PACKAGE_NAME vorlan3)
set(CPACK_PACKAGE_VERSION ${VORLAN_PACKAGE_VERSION})
set(CPACK_GENERATOR TGZ)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL package)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_FILE_NAME vorlan3_${VORLAN_PACKAGE_VERSION}_iphoneos-arm)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
include(CPack)
