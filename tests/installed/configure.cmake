# The example library's configure script, with the tools' aclocal macros, from the installed
# tree: cmake -P configure.cmake
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
include("${CMAKE_CURRENT_LIST_DIR}/../checks.cmake")

# TRESK's own configure script, with the macro from the staged tree: natively in the source
# tree with the shipped tables, then make distcheck (a VPATH build of the tarball in a
# read-only tree, the tables written); cross in a VPATH tree with the cross CC exported and
# the build machine's program on the PATH, its check run through the emulator. The runs
# after the first, which must stop, take its cache, so as not to check the compiler again.
set(autotools "${INSTALLED}/autotools")
if(CROSS)
  execute_process(COMMAND sh -c "${TARGET_CC} -dumpmachine" OUTPUT_VARIABLE host OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
file(REMOVE_RECURSE "${autotools}")
file(COPY "${SOURCE}/" DESTINATION "${autotools}/src")
# using.md's pair, as written there, is the example's: it is built from the document's
# text, which must be the example's files after their opening comments.
foreach(pair "configure.ac|dnl configure.ac" "Makefile.am|# Makefile.am")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 name)
  list(GET pair 1 first)
  example_snippet(text "${TOOLS}/doc/using.md" "${first}" "${SOURCE}/${name}")
  file(WRITE "${autotools}/src/${name}" "${text}")
endforeach()
set(flags "CFLAGS=-O2 ${C_FLAGS}" "LDFLAGS=${link_flags}")
set(aclocal "ACLOCAL_PATH=${staged}/${DATADIR}/aclocal")
expect_failure("autoreconf without the macros' folder" "TRESK build tools' macros were not found: run autoreconf with ACLOCAL_PATH="
               ${CMAKE_COMMAND} -E env --unset=ACLOCAL_PATH ${AUTORECONF} -fi "${autotools}/src")
run_checked(ignored "autoreconf" ${CMAKE_COMMAND} -E env "${aclocal}" ${AUTORECONF} -fi "${autotools}/src")
# The macros alone, in a configure script of nothing else (and the example's aclocal.m4),
# for the runs that must stop.
file(WRITE "${autotools}/macros/configure.ac" "AC_INIT([macros], [1])
PKG_PROG_PKG_CONFIG
TRESK_CHECK_ORD2UTF32
TRESK_PROG_CHARSMITH
AC_OUTPUT\n")
file(COPY "${autotools}/src/aclocal.m4" DESTINATION "${autotools}/macros")
get_filename_component(autoconf "${AUTORECONF}" DIRECTORY)
run_checked(ignored "autoconf, the macros alone" ${CMAKE_COMMAND} -E chdir "${autotools}/macros"
            "${autoconf}/autoconf")
run_checked(help "configure --help" "${autotools}/macros/configure" --help)
expect("${help}" "\n  CHARSMITH +command that runs tresk_charsmith" "CHARSMITH, precious")

set(root "${INSTALLED}/stage")
set(env ${CMAKE_COMMAND} -E env "PKG_CONFIG_SYSROOT_DIR=${root}"
        "PKG_CONFIG_LIBDIR=${root}${prefix}/${LIBDIR}/pkgconfig" ${flags})
# automake itself refuses some working directories before the tools' macro runs.
if(INSTALLED MATCHES "${unsafe}")
  expect_failure("configure where automake refuses the folder"
                 "unsafe absolute working directory name|unsafe srcdir value|TRESK_ORD2UTF32 would be"
                 ${env} ${CMAKE_COMMAND} -E chdir "${autotools}/src" ./configure)
elseif(NOT CROSS)
  set(in_tree ${env} ${CMAKE_COMMAND} -E chdir "${autotools}/src")
  run_checked(ignored "configure" ${in_tree} ./configure)
  run_checked(ignored "make check, the shipped tables" ${in_tree} make check)
  run_checked(ignored "make distcheck" ${in_tree} make distcheck)
else()
  file(MAKE_DIRECTORY "${autotools}/cross")
  set(cross ${env} "PATH=${build_machine}:$ENV{PATH}" "CC=${TARGET_CC}"
            ${CMAKE_COMMAND} -E chdir "${autotools}/cross")
  # Emscripten's users configure through emconfigure, which names its archiver, runs
  # configure's test programs under node, and takes pkg-config's path from
  # EM_PKG_CONFIG_PATH.
  set(configure_with "")
  if(SYSTEM STREQUAL "Emscripten")
    get_filename_component(bin "${TARGET_CC}" DIRECTORY)
    set(configure_with ${CMAKE_COMMAND} -E env "EM_PKG_CONFIG_PATH=${root}${prefix}/${LIBDIR}/pkgconfig"
                       "${bin}/emconfigure")
  endif()
  run_checked(ignored "cross configure" ${cross} ${configure_with} ../src/configure --host=${host}
              --enable-rebuild-chartables)
  run_checked(ignored "cross make check" ${cross} make check "LOG_COMPILER=${emulator_line} ./example_check$(EXEEXT)")
endif()

# What stops configure, in each root: a program that does not run or writes nothing, the
# target's module missing (the build machine's is not it), which says how a prefix of
# one's own is found, and an object's path that a Makefile cannot carry.
set(host_option "")
if(CROSS)
  set(host_option "--host=${host}")
endif()
foreach(root IN LISTS roots)
  set(macros ${CMAKE_COMMAND} -E env "PKG_CONFIG_SYSROOT_DIR=${root}"
             "PKG_CONFIG_LIBDIR=${root}${prefix}/${LIBDIR}/pkgconfig" "PATH=${build_machine}:$ENV{PATH}"
             ${CMAKE_COMMAND} -E chdir "${autotools}/macros" ./configure ${host_option})
  if(root MATCHES "${unsafe}")
    expect_failure("configure in ${root}" "TRESK_ORD2UTF32 would be .*, which holds '.', and a Makefile cannot carry"
                   ${macros})
    continue()
  endif()
  set(cases "PKG_CONFIG_LIBDIR=${INSTALLED}/nowhere|pkg-config does not find tresk-tools for the target.* set PKG_CONFIG_PATH=<prefix>/lib/pkgconfig"
            "CHARSMITH=false|error: CHARSMITH=false does not run"
            "CHARSMITH=true|error: CHARSMITH=true runs but writes no tables")
  foreach(case IN LISTS cases)
    string(REPLACE "|" ";" case "${case}")
    list(GET case 0 setting)
    list(GET case 1 expected)
    expect_failure("configure with ${setting}" "${expected}" ${macros} "${setting}")
  endforeach()
endforeach()
message(STATUS "configure: built and checked with the tools' aclocal macro")
