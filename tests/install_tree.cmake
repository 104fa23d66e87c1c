# Installs the build tree into a staged prefix and checks what lands there; then builds the
# example library against it as an installed package is used: with Make through pkg-config
# in the staged tree, and with CMake through find_package once the prefix has been moved.
#   cmake -DBUILD=... -DDIR=... -DBINDIR=... -DLIBDIR=... -DDATADIR=... -DMANDIR=... -DOBJECT=...
#         -DSOURCE=... -DGENERATOR=... [-DC_FLAGS=...] [-DPKG_CONFIG=...] [-DEMULATOR=...
#         -DTOOLCHAIN=... -DTRIPLE=... -DCOMPILER=... -DHOST_CHARSMITH=...] -P install_tree.cmake
# The example is compiled with C_FLAGS, those of the tree installed (a sanitizer build's
# object needs its runtime).
include(${CMAKE_CURRENT_LIST_DIR}/checks.cmake)

set(prefix /opt/tresk)
set(staged ${DIR}/stage${prefix})
file(REMOVE_RECURSE ${DIR})
run_checked(ignored "install" ${CMAKE_COMMAND} -E env DESTDIR=${DIR}/stage
            ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})

file(GLOB_RECURSE installed RELATIVE ${staged} ${staged}/*)
list(SORT installed)
set(package ${LIBDIR}/cmake/TreskTools)
set(expected ${BINDIR}/tresk_charsmith ${LIBDIR}/tresk_ord2utf32.o ${MANDIR}/man1/tresk_charsmith.1
             ${package}/TreskToolsConfig.cmake ${package}/TreskToolsConfigVersion.cmake
             ${package}/TreskChartables.cmake ${package}/TreskCharsmithProgram.cmake
             ${package}/TreskChartablesStep.cmake ${LIBDIR}/pkgconfig/tresk-tools.pc
             ${DATADIR}/aclocal/tresk-tools.m4)
list(SORT expected)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "installed: ${installed}\nexpected: ${expected}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OBJECT} ${staged}/${LIBDIR}/tresk_ord2utf32.o
                RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "the installed object is not the one built")
endif()
separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
run_checked(ignored "the installed program"
            ${emulator} ${staged}/${BINDIR}/tresk_charsmith -b ${DIR}/tables.bin)
file(SIZE ${DIR}/tables.bin size)
if(NOT size EQUAL 1088)
  message(FATAL_ERROR "the installed program wrote ${size} bytes instead of 1088")
endif()
message(STATUS "installed: ${installed}")

# Make and pkg-config, in the staged tree: pkg-config puts the sysroot before the paths.
if(PKG_CONFIG)
  file(MAKE_DIRECTORY ${DIR}/make)
  set(make ${CMAKE_COMMAND} -E env PKG_CONFIG_SYSROOT_DIR=${DIR}/stage
           PKG_CONFIG_PATH=${staged}/${LIBDIR}/pkgconfig make -C ${DIR}/make -f ${SOURCE}/pkg-config.mk
           srcdir=${SOURCE} PKG_CONFIG=${PKG_CONFIG} "CFLAGS=-O2 ${C_FLAGS}")
  if(TOOLCHAIN)
    list(APPEND make CC=${TRIPLE}-gcc AR=${TRIPLE}-ar "EMULATOR=${EMULATOR}")
  endif()
  run_checked(ignored "make through pkg-config" ${make} check)
  message(STATUS "make: built and checked through pkg-config")
endif()

set(build_machine ${DIR}/build_machine/bin)
if(TOOLCHAIN)
  file(MAKE_DIRECTORY ${build_machine})
  file(CREATE_LINK ${HOST_CHARSMITH} ${build_machine}/tresk_charsmith SYMBOLIC)
endif()

# TRESK's own configure script, with the macro from the staged tree: natively in the source
# tree with the shipped tables, then make distcheck (a VPATH build of the tarball in a
# read-only tree, the tables written); cross in a VPATH tree with the cross CC exported, its
# check run through the emulator.
if(AUTORECONF AND PKG_CONFIG)
  set(autotools ${DIR}/autotools)
  file(COPY ${SOURCE}/ DESTINATION ${autotools}/src)
  set(env ${CMAKE_COMMAND} -E env ACLOCAL_PATH=${staged}/${DATADIR}/aclocal
          PKG_CONFIG_SYSROOT_DIR=${DIR}/stage PKG_CONFIG_LIBDIR=${staged}/${LIBDIR}/pkgconfig
          "CFLAGS=-O2 ${C_FLAGS}")
  run_checked(ignored "autoreconf" ${env} ${AUTORECONF} -fi ${autotools}/src)
  if(NOT TOOLCHAIN)
    set(in_tree ${env} ${CMAKE_COMMAND} -E chdir ${autotools}/src)
    run_checked(ignored "configure" ${in_tree} ./configure)
    run_checked(ignored "make check, the shipped tables" ${in_tree} make check)
    run_checked(ignored "make distcheck" ${in_tree} make distcheck)
    expect_failure("configure with a CHARSMITH that does not run" "error: CHARSMITH=false does not run"
                   ${in_tree} ./configure --enable-rebuild-chartables CHARSMITH=false)
  else()
    file(MAKE_DIRECTORY ${autotools}/cross)
    set(cross ${env} PATH=${build_machine}:$ENV{PATH} CC=${TRIPLE}-gcc
              ${CMAKE_COMMAND} -E chdir ${autotools}/cross)
    run_checked(ignored "cross configure" ${cross} ../src/configure --host=${TRIPLE}
                --enable-rebuild-chartables)
    run_checked(ignored "cross make check" ${cross} make check "LOG_COMPILER=${EMULATOR} ./example_check")
  endif()
  message(STATUS "configure: built and checked with the tools' aclocal macro")
endif()

# CMake and find_package, from wherever the prefix has gone; a cross build once more with no
# emulator, running the host program instead.
file(RENAME ${staged} ${DIR}/moved)
set(example ${CMAKE_COMMAND} -DSOURCE=${SOURCE} -DGENERATOR=${GENERATOR} -DPREFIX=${DIR}/moved
            -DLIBDIR=${LIBDIR} -DTOOLCHAIN=${TOOLCHAIN} -DTRIPLE=${TRIPLE} -DCOMPILER=${COMPILER}
            -DC_FLAGS=${C_FLAGS})
set(script ${CMAKE_CURRENT_LIST_DIR}/example_library.cmake)
run_checked(ignored "find_package" ${example} -DBUILD=${DIR}/cmake
            -DPROGRAM=${DIR}/moved/${BINDIR}/tresk_charsmith -P ${script})
if(TOOLCHAIN)
  run_checked(ignored "find_package, host program" ${example} -DBUILD=${DIR}/cmake-host
              -DRUN_CHECK_WITH=${EMULATOR} -DHOST_CHARSMITH=${HOST_CHARSMITH}
              -DPROGRAM=${HOST_CHARSMITH} -P ${script})
  run_checked(ignored "find_package, the build machine's program on the PATH"
              ${CMAKE_COMMAND} -E env PATH=${build_machine}:$ENV{PATH} ${example} -DBUILD=${DIR}/cmake-path
              -DRUN_CHECK_WITH=${EMULATOR} -DPROGRAM=${HOST_CHARSMITH} -P ${script})
  # A build for this machine does not take the target's package.
  expect_failure("a native build with the target's package" "built for [a-z0-9_]+; this build is for"
                 ${CMAKE_COMMAND} -S ${SOURCE} -B ${DIR}/native -DTRESK_TOOLS_DIR=
                 -DTreskTools_DIR=${DIR}/moved/${LIBDIR}/cmake/TreskTools)
endif()
message(STATUS "find_package: built and checked from the moved prefix")
if(NOT PKG_CONFIG)
  message(STATUS "the Make and configure builds were not run: pkg-config is not installed")
elseif(NOT AUTORECONF)
  message(STATUS "the configure builds were not run: autoreconf is not installed")
endif()
