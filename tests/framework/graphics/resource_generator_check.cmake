# Runs the resource generator on scratch folders and checks what it writes:
# an empty folder gives a valid empty table, PNG files give one upper-case
# entry each with their exact bytes, and names differing only in letter case
# are refused. Arguments: GENERATOR, SAMPLES (a folder of PNGs), WORK_DIR.

cmake_minimum_required(VERSION 3.25)

# expect("<if() condition>" "<message when it does not hold>")
macro(expect condition message)
  cmake_language(EVAL CODE "if(NOT (${condition}))\n message(FATAL_ERROR [==[${message}]==])\nendif()")
endmacro()

function(generate dir out result_var)
  execute_process(
    COMMAND ${CMAKE_COMMAND} "-DORV_RES_DIR=${dir}" "-DORV_RES_OUT=${out}" -P "${GENERATOR}"
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
  set(${result_var} ${result} PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/empty" "${WORK_DIR}/full" "${WORK_DIR}/clash")

# No PNG at all, and a folder that does not exist.
generate("${WORK_DIR}/empty" "${WORK_DIR}/empty.cpp" result)
expect("result EQUAL 0" "the generator failed on an empty folder")
file(READ "${WORK_DIR}/empty.cpp" text)
string(FIND "${text}" "kEmbeddedResourceCount = 0;" at)
expect("at GREATER -1" "an empty folder must give an empty table")
generate("${WORK_DIR}/missing" "${WORK_DIR}/missing.cpp" result)
expect("result EQUAL 0" "the generator failed on a missing folder")

# Two samples, one with an upper-case extension; the table lists them in file name order.
file(COPY_FILE "${SAMPLES}/gray8.png" "${WORK_DIR}/full/SegDot.png")
file(COPY_FILE "${SAMPLES}/pal1.png" "${WORK_DIR}/full/checkedbox.PNG")
generate("${WORK_DIR}/full" "${WORK_DIR}/full.cpp" result)
expect("result EQUAL 0" "the generator failed on two PNG files")
file(READ "${WORK_DIR}/full.cpp" text)
file(SIZE "${SAMPLES}/gray8.png" size)
string(FIND "${text}" "{\"SEGDOT\", kResource0, ${size}}" at)
expect("at GREATER -1" "SEGDOT must be listed with its ${size} bytes:\n${text}")
file(SIZE "${SAMPLES}/pal1.png" size)
string(FIND "${text}" "{\"CHECKEDBOX\", kResource1, ${size}}" at)
expect("at GREATER -1" "CHECKEDBOX must be listed with its ${size} bytes:\n${text}")
string(FIND "${text}" "kEmbeddedResourceCount = 2;" at)
expect("at GREATER -1" "two files must give two entries")

# The bytes of the first array, turned back into hex, are the file's bytes.
string(REGEX MATCH "kResource0\\[\\] = {([^}]*)}" array "${text}")
string(REGEX REPLACE "[ \n]|0x" "" digits "${CMAKE_MATCH_1}")
string(REPLACE "," "" digits "${digits}")
file(READ "${SAMPLES}/gray8.png" expected HEX)
expect("digits STREQUAL expected" "SEGDOT's bytes differ from the file:\n${digits}\n${expected}")

# Regenerating unchanged input leaves the text as it was.
generate("${WORK_DIR}/full" "${WORK_DIR}/full.cpp" result)
file(READ "${WORK_DIR}/full.cpp" again)
expect("again STREQUAL text" "regenerating changed the output")

# Names are compared without letter case, so these two would shadow each other.
file(COPY_FILE "${SAMPLES}/gray8.png" "${WORK_DIR}/clash/Box.png")
file(COPY_FILE "${SAMPLES}/gray8.png" "${WORK_DIR}/clash/BOX.png")
generate("${WORK_DIR}/clash" "${WORK_DIR}/clash.cpp" result)
expect("NOT result EQUAL 0" "two files of the same name must be refused")

message(STATUS "resource generator: all checks passed")
