# Runs at install time: copies the public headers under <prefix>/include/orvkit/
# with their includes of each other rewritten from "folder/x.h" to
# "orvkit/folder/x.h", so consumers need the one include root <prefix>/include
# (#include <orvkit.h>, #include <orvkit/...>).
#   HEADERS  list of "<source root>|<relative path>" entries
#   DEST     <prefix>/include
foreach(entry IN LISTS HEADERS)
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 root)
  list(GET parts 1 rel)
  file(READ "${root}/${rel}" text)
  string(REGEX REPLACE "#include \"([A-Za-z0-9_]+/)" "#include \"orvkit/\\1" text "${text}")
  if(rel STREQUAL "include/orvkit.h")
    set(target "${DEST}/orvkit.h")
  else()
    set(target "${DEST}/orvkit/${rel}")
  endif()
  # Leave an unchanged file alone so repeated installs keep its time stamp.
  set(old "")
  if(EXISTS "${target}")
    file(READ "${target}" old)
  endif()
  if(NOT old STREQUAL text)
    message(STATUS "Installing: ${target}")
    file(WRITE "${target}" "${text}")
  endif()
endforeach()
