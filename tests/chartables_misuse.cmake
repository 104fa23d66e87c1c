# Misuses of tresk_chartables(), each a small configure run that must stop with its one line,
# and the calls that must be accepted; then a tables rule run for a locale this machine lacks:
#   cmake -DTOOLS=... -DDIR=... -DRUN=<tresk_charsmith of this machine> -P chartables_misuse.cmake
include(${CMAKE_CURRENT_LIST_DIR}/checks.cmake)

# Each case: languages, the calls, and what the configure run must print ("-": it succeeds).
set(cases
  "NONE|tresk_chartables(t.c LOCALE)|tresk_chartables.t.c.: LOCALE needs a locale name"
  "NONE|tresk_chartables(t.c LOCALE \"\")|tresk_chartables.t.c.: LOCALE needs a locale name"
  "NONE|tresk_chartables(t.c)\ntresk_chartables(t.c BINARY)|asked for twice, with no options and with BINARY"
  "NONE|tresk_chartables(t.c LOCALE C)\ntresk_chartables(t.c LOCALE C TARGETS all_tables)|-"
  "C|tresk_chartables(t.c LOCALE xx_NOWHERE.UTF-8)|the locale xx_NOWHERE.UTF-8 is not available")
file(REMOVE_RECURSE ${DIR})
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 languages)
  list(GET case 1 calls)
  list(GET case 2 expected)
  string(MD5 name "${calls}")
  file(WRITE ${DIR}/${name}/CMakeLists.txt "cmake_minimum_required(VERSION 3.16)
project(misuse ${languages})
add_executable(tresk::charsmith IMPORTED)
set_target_properties(tresk::charsmith PROPERTIES IMPORTED_LOCATION /bin/true)
include(${TOOLS}/cmake/TreskChartables.cmake)
add_custom_target(all_tables)
${calls}\n")
  set(configure ${CMAKE_COMMAND} -S ${DIR}/${name} -B ${DIR}/${name}/build)
  if(expected STREQUAL "-")
    run_checked(ignored "${calls}" ${configure})
  else()
    expect_failure("${calls}" "${expected}" ${configure})
  endif()
endforeach()

# At build time the failure names the output and the locale, and leaves no tables behind.
set(output ${DIR}/tables.c)
file(WRITE ${output} "tables of an earlier run")
expect_failure("missing locale at build time" "cannot write ${output}: the locale xx_NOWHERE.UTF-8 is not available on this machine; make it with localedef -i xx_NOWHERE -f UTF-8 xx_NOWHERE.UTF-8"
               ${CMAKE_COMMAND} "-DTRESK_RUN=${RUN}" -DTRESK_OUTPUT=${output} -DTRESK_STAMP=${DIR}/stamp
               -DTRESK_LOCALE=xx_NOWHERE.UTF-8 -P ${TOOLS}/cmake/TreskChartables.cmake)
if(EXISTS ${output} OR EXISTS ${output}.new)  # no stale tables, no half-written ones
  message(FATAL_ERROR "a failed tables rule left tables behind")
endif()
