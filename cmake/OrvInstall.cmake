# Installed package: find_package(orvkit) config files and a pkg-config file.
include(CMakePackageConfigHelpers)

install(FILES ${CMAKE_SOURCE_DIR}/include/orvkit.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
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
