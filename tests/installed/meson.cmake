# The example library built with Meson from the installed tree, in a cross build:
# cmake -P meson.cmake
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
include("${CMAKE_CURRENT_LIST_DIR}/../checks.cmake")

# Meson in a cross build (natively, documents.cmake builds using.md's copy): the program
# from the build machine's module (native: true), the object from the target's; the cross
# file names the target's root, and the build machine's module, written here as its package
# installs it, is reached through PKG_CONFIG_PATH_FOR_BUILD.
set(modules "${staged}/${LIBDIR}/pkgconfig")
set(setup ${MESON} setup --werror -Dtools=installed "${INSTALLED}/meson" "${SOURCE}")
file(WRITE "${INSTALLED}/native-pkgconfig/tresk-tools.pc"
     "charsmith=${BUILD_MACHINE_CHARSMITH}\n\nName: tresk-tools\nDescription: the build machine's\nVersion: 1.0.0\n")
# Meson's arrays of strings, from CMake's lists.
separate_arguments(c UNIX_COMMAND "${TARGET_CC}")
set(link ${LINK_FLAGS})
set(wrapper ${EMULATOR})
foreach(list c link wrapper)
  string(REPLACE "'" "\\'" ${list} "${${list}}")
  list(JOIN ${list} "', '" ${list})
endforeach()
if(link)
  set(link "'${link}'")
endif()
string(REPLACE "_ENDIAN" "" endian "${BYTE_ORDER}")
string(TOLOWER "${endian}" endian)
string(TOLOWER "${SYSTEM}" system)
file(WRITE "${INSTALLED}/cross.ini" "[binaries]
c = ['${c}']
ar = '${AR}'
pkgconfig = '${PKG_CONFIG}'
exe_wrapper = ['${wrapper}']

[properties]
sys_root = '${INSTALLED}/stage'
pkg_config_libdir = ['${modules}']

[built-in options]
c_link_args = [${link}]

[host_machine]
system = '${system}'
cpu_family = '${PROCESSOR}'
cpu = '${PROCESSOR}'
endian = '${endian}'
")
run_checked(ignored "meson setup, cross, installed tools" ${CMAKE_COMMAND} -E env
            "PKG_CONFIG_PATH_FOR_BUILD=${INSTALLED}/native-pkgconfig" ${setup} --cross-file "${INSTALLED}/cross.ini")
run_checked(ignored "meson test, installed tools" ${MESON} test -C "${INSTALLED}/meson")
run_checked(ignored "the tables from Meson" ${CMAKE_COMMAND} -E compare_files
            "${INSTALLED}/meson/tresk_chartables.c" "${SOURCE}/tresk_chartables.c.dist")
run_checked(symbols "nm" ${NM} "${INSTALLED}/meson/libtresk.a")
expect("${symbols}" " T _tresk_ord2utf_32" "the object in the library that Meson built")
message(STATUS "meson: built and checked with the installed tools")
