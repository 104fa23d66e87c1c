# Misuses of tresk_chartables(), each a small configure run that must stop with its one line,
# and the calls that must be accepted; then a tables rule run for a locale this machine lacks:
#   cmake -DTOOLS=... -DDIR=... -DRUN="<emulator;program>" -P chartables_misuse.cmake
include(${CMAKE_CURRENT_LIST_DIR}/checks.cmake)

# Each case: languages, the calls, and what the configure run must print ("-": it succeeds).
set(cases
  "NONE|tresk_chartables(t.c LOCALE)|tresk_chartables.t.c.: LOCALE needs a locale name"
  "NONE|tresk_chartables(t.c LOCALE \"\")|tresk_chartables.t.c.: LOCALE needs a locale name"
  "NONE|tresk_chartables(t.c)\ntresk_chartables(t.c BINARY)|asked for twice, with no options and with BINARY"
  "NONE|tresk_chartables(t.c LOCALE C)\ntresk_chartables(t.c LOCALE C TARGETS all_tables)|-"
  "C|tresk_chartables(t.c LOCALE xx_NOWHERE.UTF-8)|the locale xx_NOWHERE.UTF-8 is not available")
file(REMOVE_RECURSE ${DIR})
set(n 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 languages)
  list(GET case 1 calls)
  list(GET case 2 expected)
  math(EXPR n "${n} + 1")
  file(WRITE ${DIR}/${n}/CMakeLists.txt "cmake_minimum_required(VERSION 3.16)
project(misuse ${languages})
add_executable(tresk::charsmith IMPORTED)
set_target_properties(tresk::charsmith PROPERTIES IMPORTED_LOCATION /bin/true)
include(${TOOLS}/cmake/TreskChartables.cmake)
add_custom_target(all_tables)
${calls}
")
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${DIR}/${n} -B ${DIR}/${n}/build
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(expected STREQUAL "-" AND NOT status EQUAL 0)
    message(FATAL_ERROR "case ${n} was refused:\n${calls}\n${err}")
  elseif(NOT expected STREQUAL "-" AND (status EQUAL 0 OR NOT err MATCHES "${expected}"))
    message(FATAL_ERROR "case ${n} did not stop with /${expected}/:\n${calls}\n${err}")
  endif()
endforeach()

# At build time the failure names the output and the locale, and leaves no tables behind.
set(output ${DIR}/tables.c)
file(WRITE ${output} "tables of an earlier run")
execute_process(COMMAND ${CMAKE_COMMAND} "-DTRESK_RUN=${RUN}" -DTRESK_OUTPUT=${output}
                        -DTRESK_STAMP=${DIR}/stamp -DTRESK_LOCALE=xx_NOWHERE.UTF-8
                        -P ${TOOLS}/cmake/TreskChartables.cmake
                RESULT_VARIABLE status ERROR_VARIABLE err)
expect("${err}" "cannot write ${output}: the locale xx_NOWHERE.UTF-8 is not available on this machine; make it with localedef -i xx_NOWHERE -f UTF-8 xx_NOWHERE.UTF-8"
       "missing locale at build time")
if(status EQUAL 0 OR EXISTS ${output} OR EXISTS ${output}.new)
  message(FATAL_ERROR "a failed tables rule succeeded (${status}) or left tables behind")
endif()
message(STATUS "${n} configure cases and the build-time locale failure behave")
