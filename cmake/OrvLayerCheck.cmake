# Checks that the layers of framework/ include only downwards:
#   rtl <- graphics <- controls <- grids / forms / streaming, and backends
#   on top of all of them; nothing in framework/ includes a component.
# Run as a test: cmake -DORV_SOURCE_DIR=<checkout> -P OrvLayerCheck.cmake
if(NOT ORV_SOURCE_DIR)
  message(FATAL_ERROR "ORV_SOURCE_DIR is not set")
endif()

set(allowed_rtl rtl)
set(allowed_graphics rtl graphics)
set(allowed_controls rtl graphics controls)
set(allowed_grids rtl graphics controls grids forms streaming)
set(allowed_forms rtl graphics controls grids forms streaming)
set(allowed_streaming rtl graphics controls grids forms streaming)
set(allowed_backends rtl graphics controls grids forms streaming backends)

file(GLOB_RECURSE sources RELATIVE ${ORV_SOURCE_DIR}
  ${ORV_SOURCE_DIR}/framework/*.h ${ORV_SOURCE_DIR}/framework/*.cpp)
set(violations "")
foreach(source IN LISTS sources)
  string(REGEX MATCH "^framework/([^/]+)/" _ ${source})
  set(layer ${CMAKE_MATCH_1})
  if(NOT DEFINED allowed_${layer})
    string(APPEND violations "\n  ${source}: not in a known layer")
    continue()
  endif()
  file(STRINGS ${ORV_SOURCE_DIR}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "\"([^\"]+)\"" _ "${line}")
    set(header ${CMAKE_MATCH_1})
    if(NOT header MATCHES "/")
      continue()  # a neighbour in the same folder
    endif()
    if(header MATCHES "^framework/([^/]+)/")
      list(FIND allowed_${layer} ${CMAKE_MATCH_1} found)
      if(found EQUAL -1)
        string(APPEND violations "\n  ${source}: ${layer} must not include ${header}")
      endif()
    else()
      string(APPEND violations "\n  ${source}: the framework must not include ${header}")
    endif()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "Includes against the layering:${violations}")
endif()
list(LENGTH sources count)
message(STATUS "Layering holds in ${count} framework files")
