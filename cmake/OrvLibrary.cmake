# orv_add_library(<target> <folder> [DEPENDS libs...] [PRIVATE_DEPENDS libs...])
# Builds every .cpp of <folder> into one library; its headers are installed
# under include/orvkit/<folder>, keeping the include paths of the source tree.
function(orv_add_library target folder)
  cmake_parse_arguments(ARG "" "" "DEPENDS;PRIVATE_DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
  add_library(${target} ${sources} ${headers})
  add_library(orvkit::${target} ALIAS ${target})
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/orvkit>)
  target_link_libraries(${target} PUBLIC ${ARG_DEPENDS} PRIVATE orv_warnings ${ARG_PRIVATE_DEPENDS})
  install(TARGETS ${target} EXPORT orvkitTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(FILES ${headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/orvkit/${folder})
  set_property(GLOBAL APPEND PROPERTY ORV_LIBRARIES ${target})
endfunction()

# orv_add_test_suite(<name> <folder> LIBS libs...)
# One GoogleTest executable per test folder, its cases registered with ctest.
function(orv_add_test_suite name folder)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} orv_warnings GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE ORV_TESTDATA_DIR="${ORV_TESTDATA_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
endfunction()
