# orv_add_library(<target> FOLDERS dirs... [DEPENDS libs...] [PRIVATE_DEPENDS libs...])
# Builds every .cpp of the folders into one library; its headers are
# installed under include/orvkit/<folder> (see OrvInstallHeaders.cmake).
function(orv_add_library target)
  cmake_parse_arguments(ARG "" "" "FOLDERS;DEPENDS;PRIVATE_DEPENDS" ${ARGN})
  set(all_sources "")
  foreach(folder IN LISTS ARG_FOLDERS)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
    list(APPEND all_sources ${sources} ${headers})
    foreach(header IN LISTS headers)
      file(RELATIVE_PATH rel ${CMAKE_CURRENT_SOURCE_DIR} ${header})
      set_property(GLOBAL APPEND PROPERTY ORV_PUBLIC_HEADERS "${CMAKE_CURRENT_SOURCE_DIR}|${rel}")
    endforeach()
  endforeach()
  add_library(${target} ${all_sources})
  add_library(orvkit::${target} ALIAS ${target})
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  # Consumers compile the headers as C++20 too; the warning set is ours alone.
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_link_libraries(${target} PUBLIC ${ARG_DEPENDS} PRIVATE $<BUILD_INTERFACE:orv_warnings> ${ARG_PRIVATE_DEPENDS})
  install(TARGETS ${target} EXPORT orvkitTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  set_property(GLOBAL APPEND PROPERTY ORV_LIBRARIES ${target})
endfunction()

# orv_add_test_suite(<name> <folder> LIBS libs... [ENVIRONMENT VAR=value...])
# One GoogleTest executable per test folder, its cases registered with ctest.
function(orv_add_test_suite name folder)
  cmake_parse_arguments(ARG "" "" "LIBS;ENVIRONMENT" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} orv_warnings GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE ORV_TESTDATA_DIR="${ORV_TESTDATA_DIR}")
  if(ARG_ENVIRONMENT)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600 ENVIRONMENT "${ARG_ENVIRONMENT}")
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
  endif()
endfunction()
