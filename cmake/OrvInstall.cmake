# Installed package: find_package(orvkit) config files and a pkg-config file.
include(CMakePackageConfigHelpers)

# Headers, their includes of each other rewritten under the orvkit/ root.
set_property(GLOBAL APPEND PROPERTY ORV_PUBLIC_HEADERS "${CMAKE_SOURCE_DIR}|include/orvkit.h")
get_property(orv_headers GLOBAL PROPERTY ORV_PUBLIC_HEADERS)
install(CODE "
  set(HEADERS \"${orv_headers}\")
  set(DEST \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_INCLUDEDIR}\")
  include(\"${CMAKE_SOURCE_DIR}/cmake/OrvInstallHeaders.cmake\")
")
install(TARGETS orvkit EXPORT orvkitTargets)
install(EXPORT orvkitTargets NAMESPACE orvkit:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/orvkit)

configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/orvkitConfig.cmake.in
  ${CMAKE_BINARY_DIR}/orvkitConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/orvkit)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/orvkitConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/orvkitConfig.cmake ${CMAKE_BINARY_DIR}/orvkitConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/orvkit)

# Static libraries in dependency order (dependents first) for the linker.
get_property(orv_libs GLOBAL PROPERTY ORV_LIBRARIES)
list(REVERSE orv_libs)
set(ORV_PC_LIBS "")
foreach(lib IN LISTS orv_libs)
  string(APPEND ORV_PC_LIBS " -l${lib}")
endforeach()
# The .pc file finds its prefix relative to itself, so the installed tree can move.
file(RELATIVE_PATH ORV_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(${CMAKE_SOURCE_DIR}/cmake/orvkit.pc.in ${CMAKE_BINARY_DIR}/orvkit.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/orvkit.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(TARGET orv_sdl2)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/orvkit-sdl2.pc.in ${CMAKE_BINARY_DIR}/orvkit-sdl2.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/orvkit-sdl2.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endif()
