# Configures, builds and checks examples/library in BUILD, a C project that takes the tools
# from their source tree (copied so that a source can be touched) or from an installed
# prefix (PREFIX, its program PROGRAM), and checks that none of the tools' tests or install
# rules leak into it, that one rule writes each tables file, that a second build does
# nothing, that deleted tables are written again, and that once the tools change (a source,
# or the installed program) the tables are written again and nothing that compiles them is
# rebuilt:
#   cmake -DBUILD=... [-DPREFIX=... -DPROGRAM=...] [-DHOST_CHARSMITH=...] [-DNO_EMULATOR=ON]
#         [-DPLAIN_PATH=...] -P example_library.cmake
# In a cross build, with NO_EMULATOR the example is configured with no emulator, and its
# check program is run here through the emulator; with PLAIN_PATH it is then configured
# again with that PATH. Where the target's programs do not run here, none is run, and a
# build through the emulator must stop saying so.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
include("${CMAKE_CURRENT_LIST_DIR}/checks.cmake")

file(REMOVE_RECURSE "${BUILD}")
if(CROSS AND NOT EMULATOR)  # the copy for the build machine alone writes the tables
  set(NO_EMULATOR ON)
endif()
set(changed "${PROGRAM}")
if(NOT PREFIX)
  copy_tools("${TOOLS}" "${BUILD}/tools")
  set(options "-DTRESK_TOOLS_DIR=${BUILD}/tools")
  set(changed "${BUILD}/tools/charsmith/driver.cc")
elseif(CROSS)
  # A cross build looks for packages in the target's root only; this one is elsewhere.
  set(options -DTRESK_TOOLS_DIR= "-DTreskTools_DIR=${PREFIX}/${LIBDIR}/cmake/TreskTools")
else()
  set(options -DTRESK_TOOLS_DIR= "-DCMAKE_PREFIX_PATH=${PREFIX}")
endif()
set(shell "")
set(emulator ${EMULATOR})
# What the library's build and a program built against its package are both given.
set(target_options "")
if(CROSS)
  list(APPEND target_options -C "${CROSS}")
  if(NO_EMULATOR)
    list(APPEND options -DCMAKE_CROSSCOMPILING_EMULATOR=)
    # As in a cross shell: CC and CXX name the target's compilers, which a copy of the
    # program for this machine must not take.
    set(shell ${CMAKE_COMMAND} -E env "CC=${TARGET_CC}" "CXX=${TARGET_CXX}")
  endif()
endif()
if(C_FLAGS)
  list(APPEND target_options "-DCMAKE_C_FLAGS=${C_FLAGS}")
endif()
# The tools' object compiles without a warning on every target.
list(APPEND target_options -DCMAKE_COMPILE_WARNING_AS_ERROR=ON)
list(APPEND options ${target_options})
if(HOST_CHARSMITH)
  list(APPEND options "-DTRESK_HOST_CHARSMITH=${HOST_CHARSMITH}")
endif()

if(NOT PREFIX AND NOT CROSS)
  # By default the example compiles its shipped tables: the tools give it the object, and
  # C++ is never enabled. The same folder is then configured again to write them.
  run_checked(ignored "configure, shipped tables" ${CMAKE_COMMAND} -S "${SOURCE}" -B "${BUILD}"
              -G "${GENERATOR}" ${options})
  run_checked(ignored "build, shipped tables" ${CMAKE_COMMAND} --build "${BUILD}")
  file(STRINGS "${BUILD}/CMakeCache.txt" cxx REGEX "^CMAKE_CXX_COMPILER:")
  if(cxx)
    message(FATAL_ERROR "a build of the shipped tables enabled C++: ${cxx}")
  endif()
  # Without the shipped copy, so that a reader that does not wait for the writer finds no
  # file to compile.
  file(REMOVE "${BUILD}/tresk_chartables.c")
endif()

set(configure ${shell} ${CMAKE_COMMAND} -S "${SOURCE}" -B "${BUILD}" -G "${GENERATOR}" ${options}
              -DREBUILD_CHARTABLES=ON)
run_checked(output "configure" ${configure})
if(PLAIN_PATH)
  literal(program "${PROGRAM}")
  expect("${output}" "written by ${program}, from the PATH" "the program that configure took")
endif()
# The reader in wide/ first, alone: it must wait for the one writer, found at the end of
# configuring. Then all, with -j: under Make two targets that compile one tables file must
# not both write it.
if(CROSS AND NOT NO_EMULATOR AND NOT TARGET_RUNS)
  # An emulator that runs nothing: the build stops, naming the file not written.
  expect_failure("build with an emulator that does not run the target's programs"
                 "Error copying file [(]if different[)] from .*[.]new"
                 ${CMAKE_COMMAND} --build "${BUILD}")
  message(STATUS "example library: the emulator runs nothing, and the build says so")
  return()
endif()
run_checked(output "build" ${shell} ${CMAKE_COMMAND} --build "${BUILD}" --target example_tresk32 -j 4)
run_checked(rest "build" ${shell} ${CMAKE_COMMAND} --build "${BUILD}" -j 4)
string(APPEND output "${rest}")
set(write "Writing character tables tresk_chartables.c")
if(NOT output MATCHES "${write}" OR output MATCHES "${write}.*${write}")
  message(FATAL_ERROR "tresk_chartables.c was not written exactly once:\n${output}")
endif()
# Whichever program wrote them, the tables are the "C" ones that the example ships.
run_checked(ignored "the shipped tables" ${CMAKE_COMMAND} -E compare_files
            "${BUILD}/tresk_chartables.c" "${SOURCE}/tresk_chartables.c.dist")
if(TARGET_RUNS AND NO_EMULATOR)
  run_checked(output "check" ${emulator} "${BUILD}/example_check${EXE}" "${BUILD}/check/tables.bin"
              "${BUILD}/check/C locale.bin")
elseif(TARGET_RUNS)
  run_checked(output "test" ${CMAKE_CTEST_COMMAND} --test-dir "${BUILD}" --output-on-failure)
endif()

# A shared library built with the object does not export the writer: neither an ELF shared
# object, a Mach-O dylib, nor a DLL, which exports all it defines when nothing is marked for
# export (MinGW's automatic export).
set(shared "${BUILD}/libexample_tresk_shared")
if(EXISTS "${shared}.dylib")
  run_checked(exports "nm -g" ${NM} -g --defined-only "${shared}.dylib")
elseif(EXISTS "${shared}.dll")
  run_checked(exports "objdump -p" ${OBJDUMP} -p "${shared}.dll")
  string(REGEX REPLACE ".*Ordinal/Name Pointer. Table" "" exports "${exports}")
elseif(EXISTS "${shared}.so")
  run_checked(exports "nm -D" ${NM} -D --defined-only "${shared}.so")
endif()
if(DEFINED exports)
  expect("${exports}" "_tresk_default_tables" "the shared library's exports")
  if(exports MATCHES "_tresk_ord2utf_32")
    message(FATAL_ERROR "the shared library exports _tresk_ord2utf_32:\n${exports}")
  endif()
endif()

# Only the example's own tests, and its own files installed: the tools add nothing.
run_checked(output "list tests" ${CMAKE_CTEST_COMMAND} --test-dir "${BUILD}" -N)
expect("${output}" "Total Tests: 2\n" "only the library's own tests")
# Installed beside the build folder: CMake's Makefiles leave a '$' in an imported target's
# include folder for Make to expand.
get_filename_component(stage "${BUILD}" DIRECTORY)
string(MD5 hash "${BUILD}")
string(SUBSTRING "${hash}" 0 8 hash)
set(stage "${stage}/installed-${hash}")
file(REMOVE_RECURSE "${stage}")
run_checked(output "install" ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${stage}")
files_below(installed "${stage}")
if(installed MATCHES "charsmith|ord2utf|TreskTools|tresk-tools")
  message(FATAL_ERROR "install rules of the tools leaked into the library's build: ${installed}")
endif()
# A program built against the library's package alone, with the tools out of reach, has the
# tables and the UTF-32 writer.
set(consumer "${BUILD}/consumer")
list(FILTER installed INCLUDE REGEX "ExampleTreskConfig.cmake$")
get_filename_component(package "${stage}/${installed}" DIRECTORY)
run_checked(ignored "configure against the library's package" ${CMAKE_COMMAND}
            -S "${SOURCE}/consumer" -B "${consumer}" -G "${GENERATOR}" ${target_options}
            "-DExampleTresk_DIR=${package}" "-DTreskTools_DIR=${BUILD}/nowhere")
run_checked(ignored "build against the library's package" ${CMAKE_COMMAND} --build "${consumer}")
if(TARGET_RUNS)
  run_checked(ignored "the program built against the library's package"
              ${emulator} "${consumer}/example_check${EXE}" "${BUILD}/check/tables.bin")
endif()

# Built again, nothing runs; once the tools change the tables are written again, the same
# bytes, and nothing downstream is rebuilt; deleted, they are written again and compiled;
# after each, nothing runs again. A deleted folder is made again.
function(build_doing_nothing what)
  run_checked(output "${what}" ${CMAKE_COMMAND} --build "${BUILD}")
  if(output MATCHES "Building|Linking|Writing|Configuring")
    message(FATAL_ERROR "${what} did some work:\n${output}")
  endif()
endfunction()
build_doing_nothing("second build")
file(TOUCH_NOCREATE "${changed}")
run_checked(output "build after the tools changed" ${CMAKE_COMMAND} --build "${BUILD}")
expect("${output}" "${write}" "build after the tools changed")
if(output MATCHES "tresk_chartables[.]c[.]o|Linking C ")
  message(FATAL_ERROR "identical tables were compiled again:\n${output}")
endif()
build_doing_nothing("build after that")
file(REMOVE_RECURSE "${BUILD}/tresk_chartables.c" "${BUILD}/check")
run_checked(output "build after the tables were deleted" ${CMAKE_COMMAND} --build "${BUILD}")
expect("${output}" "${write}.*tresk_chartables[.]c[.]o" "build after the tables were deleted")
build_doing_nothing("build after the tables were written again")
if(NOT PREFIX AND NOT CROSS)
  # A program named in TRESK_HOST_CHARSMITH writes the tables instead.
  file(COPY "${BUILD}/tresk_tools/tresk_charsmith${EXE}" DESTINATION "${BUILD}/host")
  run_checked(ignored "configure with TRESK_HOST_CHARSMITH" ${configure}
              "-DTRESK_HOST_CHARSMITH=${BUILD}/host/tresk_charsmith${EXE}")
  run_checked(output "build with TRESK_HOST_CHARSMITH" ${CMAKE_COMMAND} --build "${BUILD}")
  expect("${output}" "${write}" "build with TRESK_HOST_CHARSMITH")
endif()
if(PLAIN_PATH)
  # Configured again from a shell whose PATH lacks the program found before.
  run_checked(ignored "configure again with another PATH"
              ${CMAKE_COMMAND} -E env "PATH=${PLAIN_PATH}" ${configure})
  build_doing_nothing("build after configuring again")
endif()
message(STATUS "example library: built, checked, nothing leaked, rebuilt only what changed")
