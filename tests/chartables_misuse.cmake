# Misuses of tresk_chartables(), each a small configure run that must stop with its one line,
# and the calls that must be accepted; then a tables rule whose program writes nothing; then,
# in a native build, the tools built with a C++ compiler that cannot link statically,
# which must build a dynamic program unless TRESK_STATIC=ON asks for a static one; in DIR:
#   cmake -DDIR=... -P chartables_misuse.cmake
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
include("${CMAKE_CURRENT_LIST_DIR}/checks.cmake")

# Each case: languages, the calls, and what the configure run must print ("-": it succeeds).
set(cases
  "NONE|tresk_chartables(t.c LOCALE)|tresk_chartables.t.c.: LOCALE needs a locale name"
  "NONE|tresk_chartables(t.c LOCALE \"\")|tresk_chartables.t.c.: LOCALE needs a locale name"
  "NONE|tresk_chartables(t.c)\ntresk_chartables(t.c BINARY)|asked for twice, with no options and with BINARY"
  "NONE|tresk_chartables(t.c LOCALE C)\ntresk_chartables(t.c LOCALE C TARGETS all_tables)|-"
  "NONE|tresk_chartables(\"out dir/t.c\")\ntresk_chartables(out_dir/t.c)|-"
  "NONE|tresk_chartables(\"a#b/t.c\")|the path holds '#', which CMake cannot carry"
  "C|tresk_chartables(t.c LOCALE xx_NOWHERE.UTF-8)|the locale xx_NOWHERE.UTF-8 is not available")
file(REMOVE_RECURSE "${DIR}")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 languages)
  list(GET case 1 calls)
  list(GET case 2 expected)
  string(MD5 name "${calls}")
  file(WRITE "${DIR}/${name}/CMakeLists.txt" "cmake_minimum_required(VERSION 3.16)
project(misuse ${languages})
set(CMAKE_CROSSCOMPILING_EMULATOR env)  # as one that runs nothing but exits 0
add_executable(tresk::charsmith IMPORTED)
set_target_properties(tresk::charsmith PROPERTIES IMPORTED_LOCATION /bin/true)
include([==[${TOOLS}/cmake/TreskChartables.cmake]==])
add_custom_target(all_tables)
${calls}\n")
  string(REGEX REPLACE "^-$" "" expected "${expected}")
  expect_outcome("${calls}" "${expected}" ${CMAKE_COMMAND} -S "${DIR}/${name}" -B "${DIR}/${name}/build"
                 -G "${QUICK_GENERATOR}")
endforeach()

# A target named in TARGETS waits for the rule, which runs the stand-in through an emulator:
# it exits 0 without writing, and the rule fails rather than take what it did not write, an
# earlier run's file included.
string(MD5 name "tresk_chartables(t.c LOCALE C)\ntresk_chartables(t.c LOCALE C TARGETS all_tables)")
file(WRITE "${DIR}/${name}/build/t.c.new" "tables of an earlier run")
expect_failure("a target named in TARGETS" "Error copying file [(]if different[)] from .*t[.]c[.]new"
               ${CMAKE_COMMAND} --build "${DIR}/${name}/build" --target all_tables)
if(EXISTS "${DIR}/${name}/build/t.c")
  message(FATAL_ERROR "a failed tables rule left tables behind")
endif()

if(CROSS)
  return()
endif()
set(wrapper "${DIR}/no_static/c++")
file(WRITE "${wrapper}" "#!/bin/sh
for arg; do [ \"$arg\" = -static ] && { echo 'ld: cannot find -lstdc++' >&2; exit 1; }; done
exec '${TARGET_CXX}' \"$@\"\n")
file(CHMOD "${wrapper}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(configure ${CMAKE_COMMAND} -S "${TOOLS}" -B "${DIR}/no_static/build" -G "${QUICK_GENERATOR}"
              "-DCMAKE_CXX_COMPILER=${wrapper}" -DTRESK_BUILD_TESTS=OFF)
run_checked(output "configure with no static libraries" ${configure})
expect("${output}" "tresk_charsmith is linked dynamically: .* cannot link a static program; install"
       "configure with no static libraries")
run_checked(ignored "build with no static libraries"
            ${CMAKE_COMMAND} --build "${DIR}/no_static/build" --target tresk_charsmith)
run_checked(ignored "the dynamic program" "${DIR}/no_static/build/tresk_charsmith" "${DIR}/no_static/t.c")
expect_failure("TRESK_STATIC=ON with no static libraries" "TRESK_STATIC is ON, but .* cannot link a static"
               ${configure} -DTRESK_STATIC=ON)
