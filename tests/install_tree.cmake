# The installed tools, each route a test of its own that may run beside the others:
# ROUTE=install installs the build tree into a staged prefix and checks what lands there;
# then the example library is built against it as an installed package is used: with Make
# through pkg-config (ROUTE=make), with its configure script (ROUTE=configure), with Meson
# (ROUTE=meson), and with CMake through find_package from a copy of the prefix elsewhere
# (ROUTE=cmake).
#   cmake -DROUTE=... -DBUILD=... -DDIR=... -DBINDIR=... -DLIBDIR=... -DDATADIR=... -DMANDIR=...
#         -DDOCDIR=... -DOBJECT=...
#         -DSOURCE=... -DGENERATOR=... -DFOLDERS=<two folder names> [-DC_FLAGS=...]
#         -DNM=... -DOBJDUMP=... -DEXE=<.exe or nothing> -DSYSTEM=... [-DPKG_CONFIG=...]
#         [-DAUTORECONF=...] [-DMESON=...] [-DCROSS=... -DCC=... -DCXX=... -DAR=... -DEMULATOR=...
#         -DHOST_CHARSMITH=... -DPROCESSOR=... -DBYTE_ORDER=...] -DTARGET_RUNS=ON|OFF
#         -P install_tree.cmake
# The example is compiled with C_FLAGS, those of the tree installed (a sanitizer build's
# object needs its runtime). Where a path holds what a Makefile cannot carry, Make and
# configure must stop at once with a line that names it; so they must when the tree is
# reached through the first of FOLDERS, which holds a space.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
include("${CMAKE_CURRENT_LIST_DIR}/checks.cmake")

set(prefix /opt/tresk)
set(staged "${DIR}/stage${prefix}")
list(GET FOLDERS 0 spaced)
list(GET FOLDERS 1 other)
# the build machine's program on the PATH, in a folder named as users name theirs
set(build_machine "${DIR}/${spaced}/build machine/bin")
separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
# Emscripten links a program for node's real files only when asked.
set(link_flags "")
if(SYSTEM STREQUAL "Emscripten")
  set(link_flags "-sNODERAWFS=1 -sEXIT_RUNTIME=1")
endif()
if(CROSS)
  execute_process(COMMAND sh -c "${CC} -dumpmachine" OUTPUT_VARIABLE host OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()

if(ROUTE STREQUAL "install")
  file(REMOVE_RECURSE "${DIR}")
  run_checked(ignored "install" ${CMAKE_COMMAND} -E env "DESTDIR=${DIR}/stage"
              ${CMAKE_COMMAND} --install "${BUILD}" --prefix ${prefix})

  files_below(installed "${staged}")
  list(SORT installed)
  set(package ${LIBDIR}/cmake/TreskTools)
  set(expected ${BINDIR}/tresk_charsmith${EXE} ${LIBDIR}/tresk_ord2utf32.o ${MANDIR}/man1/tresk_charsmith.1
               ${package}/TreskToolsConfig.cmake ${package}/TreskToolsConfigVersion.cmake
               ${package}/TreskChartables.cmake ${package}/TreskCharsmithProgram.cmake
               ${package}/TreskChartablesStep.cmake ${LIBDIR}/pkgconfig/tresk-tools.pc
               ${DATADIR}/aclocal/tresk-tools.m4 ${DOCDIR}/LICENSE)
  list(SORT expected)
  if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "installed: ${installed}\nexpected: ${expected}")
  endif()
  # The package takes builds that ask for its major version alone.
  foreach(case "0.9|FALSE" "1.0|TRUE" "1.2|TRUE" "2.0|FALSE")
    string(REPLACE "|" ";" case "${case}")
    list(GET case 0 PACKAGE_FIND_VERSION)
    list(GET case 1 expected)
    string(REGEX MATCH "^[0-9]+" PACKAGE_FIND_VERSION_MAJOR "${PACKAGE_FIND_VERSION}")
    set(PACKAGE_VERSION_COMPATIBLE FALSE)
    include("${staged}/${package}/TreskToolsConfigVersion.cmake")
    if(NOT PACKAGE_VERSION_COMPATIBLE STREQUAL expected)
      message(FATAL_ERROR "the package asked for as ${PACKAGE_FIND_VERSION}: compatible ${PACKAGE_VERSION_COMPATIBLE}")
    endif()
  endforeach()
  files_differ(differ "${OBJECT}" "${staged}/${LIBDIR}/tresk_ord2utf32.o")
  if(differ)
    message(FATAL_ERROR "the installed object is not the one built")
  endif()
  if(TARGET_RUNS)
    run_checked(ignored "the installed program"
                ${emulator} "${staged}/${BINDIR}/tresk_charsmith${EXE}" -b "${DIR}/tables.bin")
    file(SIZE "${DIR}/tables.bin" size)
    if(NOT size EQUAL 1088)
      message(FATAL_ERROR "the installed program wrote ${size} bytes instead of 1088")
    endif()
  else()
    file(COPY_FILE "${OBJECT}" "${DIR}/tables.bin")  # a file that is no program, for ROUTE=cmake
  endif()
  # Under a prefix that holds '#', which pkg-config reads as a comment unless escaped, the
  # module still names the files installed.
  if(PKG_CONFIG)
    set(hashed "${DIR}/c#/tools")
    run_checked(ignored "install under ${hashed}" ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${hashed}")
    foreach(variable "charsmith|${BINDIR}/tresk_charsmith${EXE}" "ord2utf32_object|${LIBDIR}/tresk_ord2utf32.o")
      string(REPLACE "|" ";" variable "${variable}")
      list(GET variable 0 name)
      list(GET variable 1 file)
      run_checked(path "pkg-config --variable=${name}" ${CMAKE_COMMAND} -E env --unset=PKG_CONFIG_SYSROOT_DIR
                  "PKG_CONFIG_LIBDIR=${hashed}/${LIBDIR}/pkgconfig" ${PKG_CONFIG} --variable=${name} tresk-tools)
      string(STRIP "${path}" path)
      if(NOT path STREQUAL "${hashed}/${file}")
        message(FATAL_ERROR "the module installed under ${hashed} names ${name} ${path}")
      endif()
    endforeach()
  endif()
  # What a module cannot carry at all stops the install (CMake itself refuses a backslash).
  foreach(name "dollar\${brace" "line\nbreak")
    expect_failure("install under ${name}" "tresk-tools.pc: .* holds '.*', which a pkg-config module cannot carry"
                   ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${DIR}/refused/${name}")
  endforeach()
  file(CREATE_LINK "${DIR}/stage" "${DIR}/${spaced}" SYMBOLIC)
  if(CROSS)
    file(MAKE_DIRECTORY "${build_machine}")
    file(CREATE_LINK "${HOST_CHARSMITH}" "${build_machine}/tresk_charsmith" SYMBOLIC)
  endif()
  message(STATUS "installed: ${installed}")
  return()
endif()

# The staged tree, and where DIR holds no space itself, the same tree reached through a
# folder that holds one, where Make and configure must stop at once.
set(roots "${DIR}/stage")
if(NOT DIR MATCHES " ")
  list(APPEND roots "${DIR}/${spaced}")
endif()
set(unsafe "[] \t\\'\"$#&;|<>()*?{}[`!:]")  # what a Makefile or automake cannot carry

# Make and pkg-config: pkg-config puts the sysroot before the paths. Make reads '$' in a
# variable given on its command line.
if(ROUTE STREQUAL "make" AND TARGET_RUNS AND PKG_CONFIG)
  string(REPLACE "$" "$$" srcdir "${SOURCE}")
  foreach(root IN LISTS roots)
    set(make_stops "")
    if("${root};${SOURCE}" MATCHES " ")
      set(make_stops "make cannot carry a space in a prerequisite")
    endif()
    file(MAKE_DIRECTORY "${DIR}/make")
    set(make ${CMAKE_COMMAND} -E env "PKG_CONFIG_SYSROOT_DIR=${root}"
             "PKG_CONFIG_PATH=${root}${prefix}/${LIBDIR}/pkgconfig"
             make -C "${DIR}/make" -f "${SOURCE}/pkg-config.mk" "srcdir=${srcdir}"
             "PKG_CONFIG=${PKG_CONFIG}" "CFLAGS=-O2 ${C_FLAGS}" "LDFLAGS=${link_flags}")
    if(CROSS)
      list(APPEND make "CC=${CC}" "AR=${AR}" "EMULATOR=${EMULATOR}" "EXEEXT=${EXE}")
    endif()
    expect_outcome("make through pkg-config in ${root}" "${make_stops}" ${make} check)
  endforeach()
  message(STATUS "make: built and checked through pkg-config")
  return()
endif()

# TRESK's own configure script, with the macro from the staged tree: natively in the source
# tree with the shipped tables, then make distcheck (a VPATH build of the tarball in a
# read-only tree, the tables written); cross in a VPATH tree with the cross CC exported and
# the build machine's program on the PATH, its check run through the emulator. The runs
# after the first, which must stop, take its cache, so as not to check the compiler again.
if(ROUTE STREQUAL "configure" AND TARGET_RUNS AND PKG_CONFIG AND AUTORECONF)
  set(autotools "${DIR}/autotools")
  file(REMOVE_RECURSE "${autotools}")
  file(COPY "${SOURCE}/" DESTINATION "${autotools}/src")
  # using.md's pair, as written there, is the example's: it is built from the document's
  # text, which must be the example's files after their opening comments.
  foreach(pair "configure.ac|dnl configure.ac" "Makefile.am|# Makefile.am")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 name)
    list(GET pair 1 first)
    snippet(text "${SOURCE}/../../doc/using.md" "${first}")
    file(READ "${SOURCE}/${name}" example)
    string(REGEX REPLACE "^((dnl|#)[^\n]*\n)+" "" example "${example}")
    if(NOT example STREQUAL text)
      message(FATAL_ERROR "doc/using.md's ${name} is not examples/library/${name}:\n${text}")
    endif()
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

  set(root "${DIR}/stage")
  set(env ${CMAKE_COMMAND} -E env "PKG_CONFIG_SYSROOT_DIR=${root}"
          "PKG_CONFIG_LIBDIR=${root}${prefix}/${LIBDIR}/pkgconfig" ${flags})
  # automake itself refuses some working directories before the tools' macro runs.
  if(DIR MATCHES "${unsafe}")
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
    set(cross ${env} "PATH=${build_machine}:$ENV{PATH}" "CC=${CC}"
              ${CMAKE_COMMAND} -E chdir "${autotools}/cross")
    # Emscripten's users configure through emconfigure, which names its archiver, runs
    # configure's test programs under node, and takes pkg-config's path from
    # EM_PKG_CONFIG_PATH.
    set(configure_with "")
    if(SYSTEM STREQUAL "Emscripten")
      get_filename_component(bin "${CC}" DIRECTORY)
      set(configure_with ${CMAKE_COMMAND} -E env "EM_PKG_CONFIG_PATH=${root}${prefix}/${LIBDIR}/pkgconfig"
                         "${bin}/emconfigure")
    endif()
    run_checked(ignored "cross configure" ${cross} ${configure_with} ../src/configure --host=${host}
                --enable-rebuild-chartables)
    run_checked(ignored "cross make check" ${cross} make check "LOG_COMPILER=${EMULATOR} ./example_check$(EXEEXT)")
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
    set(cases "PKG_CONFIG_LIBDIR=${DIR}/nowhere|pkg-config does not find tresk-tools for the target.* set PKG_CONFIG_PATH=<prefix>/lib/pkgconfig"
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
  return()
endif()

# Meson in a cross build (natively, documents.cmake builds using.md's snippet): the program
# from the build machine's module (native: true), the object from the target's; the cross
# file names the target's root, and the build machine's module, written here as its package
# installs it, is reached through PKG_CONFIG_PATH_FOR_BUILD.
if(ROUTE STREQUAL "meson" AND TARGET_RUNS AND MESON AND PKG_CONFIG)
  set(modules "${staged}/${LIBDIR}/pkgconfig")
  set(setup ${MESON} setup --werror -Dtools=installed "${DIR}/meson" "${SOURCE}")
  file(WRITE "${DIR}/native-pkgconfig/tresk-tools.pc"
       "charsmith=${HOST_CHARSMITH}\n\nName: tresk-tools\nDescription: the build machine's\nVersion: 1.0.0\n")
  # Meson's arrays of strings, from CMake's lists.
  separate_arguments(c UNIX_COMMAND "${CC}")
  separate_arguments(link UNIX_COMMAND "${link_flags}")
  set(wrapper ${emulator})
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
  file(WRITE "${DIR}/cross.ini" "[binaries]
c = ['${c}']
ar = '${AR}'
pkgconfig = '${PKG_CONFIG}'
exe_wrapper = ['${wrapper}']

[properties]
sys_root = '${DIR}/stage'
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
              "PKG_CONFIG_PATH_FOR_BUILD=${DIR}/native-pkgconfig" ${setup} --cross-file "${DIR}/cross.ini")
  run_checked(ignored "meson test, installed tools" ${MESON} test -C "${DIR}/meson")
  run_checked(ignored "the tables from Meson" ${CMAKE_COMMAND} -E compare_files
              "${DIR}/meson/tresk_chartables.c" "${SOURCE}/tresk_chartables.c.dist")
  run_checked(symbols "nm" ${NM} "${DIR}/meson/libexample_tresk.a")
  expect("${symbols}" " T _tresk_ord2utf_32" "the object in the library that Meson built")
  message(STATUS "meson: built and checked with the installed tools")
  return()
endif()

if(NOT ROUTE STREQUAL "cmake")
  if(NOT TARGET_RUNS)
    set(why "they run the target's programs, which this machine cannot")
  elseif(NOT PKG_CONFIG)
    set(why "pkg-config is not installed")
  elseif(ROUTE STREQUAL "configure")
    set(why "autoreconf is not installed")
  else()
    set(why "meson is not installed")
  endif()
  message(STATUS "the ${ROUTE} builds were not run: ${why}")
  return()
endif()

# CMake and find_package, from a copy of the prefix elsewhere; a cross build once more with no
# emulator, running the host program instead, and once with the build machine's program
# from the PATH, configured again from a shell without it.
file(REMOVE_RECURSE "${DIR}/moved")
file(COPY "${staged}/" DESTINATION "${DIR}/moved")
set(example ${CMAKE_COMMAND} "-DSOURCE=${SOURCE}" "-DGENERATOR=${GENERATOR}" "-DPREFIX=${DIR}/moved"
            "-DNM=${NM}" "-DOBJDUMP=${OBJDUMP}" "-DEXE=${EXE}"
            -DLIBDIR=${LIBDIR} "-DCROSS=${CROSS}" "-DCC=${CC}" "-DCXX=${CXX}"
            "-DEMULATOR=${EMULATOR}" "-DC_FLAGS=${C_FLAGS}" "-DTARGET_RUNS=${TARGET_RUNS}")
set(script "${CMAKE_CURRENT_LIST_DIR}/example_library.cmake")
if(NOT CROSS OR EMULATOR)
  run_checked(ignored "find_package" ${example} "-DBUILD=${DIR}/cmake/${other}"
              "-DPROGRAM=${DIR}/moved/${BINDIR}/tresk_charsmith${EXE}" -P "${script}")
endif()
if(CROSS)
  run_checked(ignored "find_package, host program" ${example} "-DBUILD=${DIR}/cmake-host"
              -DNO_EMULATOR=ON "-DHOST_CHARSMITH=${HOST_CHARSMITH}"
              "-DPROGRAM=${HOST_CHARSMITH}" -P "${script}")
  # A tresk_charsmith on the PATH that cannot run here, a file that is no program at all,
  # is passed over for the build machine's after it, and configure names that one.
  set(not_running "${DIR}/not running")
  file(MAKE_DIRECTORY "${not_running}")
  file(COPY_FILE "${DIR}/tables.bin" "${not_running}/tresk_charsmith")
  file(CHMOD "${not_running}/tresk_charsmith" PERMISSIONS OWNER_READ OWNER_EXECUTE)
  run_checked(ignored "find_package, the build machine's program on the PATH"
              ${CMAKE_COMMAND} -E env "PATH=${not_running}:${build_machine}:$ENV{PATH}"
              ${example} "-DBUILD=${DIR}/cmake-path" -DNO_EMULATOR=ON "-DPLAIN_PATH=$ENV{PATH}"
              "-DPROGRAM=${build_machine}/tresk_charsmith" -P "${script}")
  if(SYSTEM STREQUAL "Windows" AND PROCESSOR MATCHES "^i[3-6]86$")
    # 32-bit Windows as a 32-bit CMake on Windows spells it takes the package; a 64-bit
    # build does not.
    file(READ "${CROSS}" settings)
    file(WRITE "${DIR}/x86.cmake" "${settings}set(CMAKE_SYSTEM_PROCESSOR x86 CACHE STRING \"\")\n")
    run_checked(ignored "find_package, the processor spelt x86" ${example} "-DBUILD=${DIR}/cmake-x86"
                "-DCROSS=${DIR}/x86.cmake" -DNO_EMULATOR=ON "-DHOST_CHARSMITH=${HOST_CHARSMITH}"
                "-DPROGRAM=${HOST_CHARSMITH}" -P "${script}")
    expect_failure("a 64-bit Windows build with the 32-bit package" "built for i686 Windows; this build is for x86_64 Windows"
                   ${CMAKE_COMMAND} -S "${SOURCE}" -B "${DIR}/x86_64" -DTRESK_TOOLS_DIR=
                   "-DCMAKE_TOOLCHAIN_FILE=${SOURCE}/../../toolchains/cross-mingw-w64.cmake"
                   -DTRESK_TARGET_TRIPLE=x86_64-w64-mingw32
                   "-DTreskTools_DIR=${DIR}/moved/${LIBDIR}/cmake/TreskTools")
  endif()
  # A build for this machine does not take the target's package.
  expect_failure("a native build with the target's package" "built for [a-z0-9_]+ [A-Za-z]+; this build is for"
                 ${CMAKE_COMMAND} -S "${SOURCE}" -B "${DIR}/native" -DTRESK_TOOLS_DIR=
                 "-DTreskTools_DIR=${DIR}/moved/${LIBDIR}/cmake/TreskTools")
endif()
# The target's package installed without the program (packaged apart): a build of the
# shipped tables takes the object; one that would run the program says what is missing.
if(NOT CROSS)
  file(RENAME "${DIR}/moved/${BINDIR}/tresk_charsmith${EXE}" "${DIR}/tresk_charsmith${EXE}")
  set(configure ${CMAKE_COMMAND} -S "${SOURCE}" -G "${GENERATOR}" -DTRESK_TOOLS_DIR= "-DCMAKE_PREFIX_PATH=${DIR}/moved"
                "-DCMAKE_C_FLAGS=${C_FLAGS}")
  run_checked(ignored "the shipped tables, a package without the program"
              ${configure} -B "${DIR}/no-program")
  run_checked(ignored "build" ${CMAKE_COMMAND} --build "${DIR}/no-program")
  expect_failure("tables written with a package without the program"
                 "these tools have no tresk_charsmith .installed without it"
                 ${configure} -B "${DIR}/no-program" -DREBUILD_CHARTABLES=ON)
endif()
message(STATUS "find_package: built and checked from the moved prefix")
