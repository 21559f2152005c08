# Installs the built tree into a scratch prefix, then configures, builds and
# runs a tiny consumer through find_package(orvkit) and through pkg-config.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(rc)
  message(FATAL_ERROR "install failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -G Ninja -S ${SOURCE_DIR}/tests/install/consumer
                  -B ${WORK_DIR}/build -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix
                RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "consumer configure failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "consumer build failed: ${rc}")
endif()
execute_process(COMMAND ${WORK_DIR}/build/consumer RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(rc OR NOT out MATCHES "orvkit ok")
  message(FATAL_ERROR "consumer run failed: ${rc} ${out}")
endif()

find_program(PKG_CONFIG pkg-config)
if(PKG_CONFIG)
  set(ENV{PKG_CONFIG_PATH} "${WORK_DIR}/prefix/lib/pkgconfig")
  execute_process(COMMAND ${PKG_CONFIG} --cflags --libs orvkit
                  RESULT_VARIABLE rc OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(rc)
    message(FATAL_ERROR "pkg-config does not know orvkit")
  endif()
  separate_arguments(flags UNIX_COMMAND "${flags}")
  execute_process(COMMAND c++ ${SOURCE_DIR}/tests/install/consumer/main.cpp ${flags}
                    -o ${WORK_DIR}/pc-consumer RESULT_VARIABLE rc)
  if(rc)
    message(FATAL_ERROR "pkg-config consumer build failed: ${rc}")
  endif()
  execute_process(COMMAND ${WORK_DIR}/pc-consumer RESULT_VARIABLE rc OUTPUT_VARIABLE out)
  if(rc OR NOT out MATCHES "orvkit ok")
    message(FATAL_ERROR "pkg-config consumer run failed: ${rc} ${out}")
  endif()
endif()
