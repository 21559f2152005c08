# Common warning set for every orvkit target.
add_library(orv_warnings INTERFACE)
target_compile_options(orv_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(ORV_WERROR)
  target_compile_options(orv_warnings INTERFACE -Werror)
endif()
