# The example library built with CMake from the installed package, through find_package:
# cmake -P cmake.cmake
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
include("${CMAKE_CURRENT_LIST_DIR}/../checks.cmake")

# CMake and find_package, from a copy of the prefix elsewhere; a cross build once more with no
# emulator, running the host program instead, and once with the build machine's program
# from the PATH, configured again from a shell without it.
file(REMOVE_RECURSE "${INSTALLED}/moved")
file(COPY "${staged}/" DESTINATION "${INSTALLED}/moved")
set(example ${CMAKE_COMMAND} "-DGENERATOR=${QUICK_GENERATOR}" "-DPREFIX=${INSTALLED}/moved")
set(script "${CMAKE_CURRENT_LIST_DIR}/../example_library.cmake")
if(NOT CROSS OR EMULATOR)
  run_checked(ignored "find_package" ${example} "-DBUILD=${INSTALLED}/cmake/${DOLLAR_FOLDER}"
              "-DPROGRAM=${INSTALLED}/moved/${BINDIR}/tresk_charsmith${EXE}" -P "${script}")
endif()
if(CROSS)
  run_checked(ignored "find_package, host program" ${example} "-DBUILD=${INSTALLED}/cmake-host"
              -DNO_EMULATOR=ON "-DHOST_CHARSMITH=${BUILD_MACHINE_CHARSMITH}"
              "-DPROGRAM=${BUILD_MACHINE_CHARSMITH}" -P "${script}")
  # A tresk_charsmith on the PATH that cannot run here, a file that is no program at all,
  # is passed over for the build machine's after it, and configure names that one.
  set(not_running "${INSTALLED}/not running")
  file(MAKE_DIRECTORY "${not_running}")
  file(COPY_FILE "${INSTALLED}/tables.bin" "${not_running}/tresk_charsmith")
  file(CHMOD "${not_running}/tresk_charsmith" PERMISSIONS OWNER_READ OWNER_EXECUTE)
  run_checked(ignored "find_package, the build machine's program on the PATH"
              ${CMAKE_COMMAND} -E env "PATH=${not_running}:${build_machine}:$ENV{PATH}"
              ${example} "-DBUILD=${INSTALLED}/cmake-path" -DNO_EMULATOR=ON "-DPLAIN_PATH=$ENV{PATH}"
              "-DPROGRAM=${build_machine}/tresk_charsmith" -P "${script}")
  if(SYSTEM STREQUAL "Windows" AND PROCESSOR MATCHES "^i[3-6]86$")
    # 32-bit Windows as a 32-bit CMake on Windows spells it takes the package; a 64-bit
    # build does not.
    file(READ "${CROSS}" settings)
    file(WRITE "${INSTALLED}/x86.cmake" "${settings}set(CMAKE_SYSTEM_PROCESSOR x86 CACHE STRING \"\")\n")
    run_checked(ignored "find_package, the processor spelt x86" ${example} "-DBUILD=${INSTALLED}/cmake-x86"
                "-DCROSS=${INSTALLED}/x86.cmake" -DNO_EMULATOR=ON "-DHOST_CHARSMITH=${BUILD_MACHINE_CHARSMITH}"
                "-DPROGRAM=${BUILD_MACHINE_CHARSMITH}" -P "${script}")
    expect_failure("a 64-bit Windows build with the 32-bit package" "built for i686 Windows; this build is for x86_64 Windows"
                   ${CMAKE_COMMAND} -S "${SOURCE}" -B "${INSTALLED}/x86_64" -DTRESK_TOOLS_DIR=
                   "-DCMAKE_TOOLCHAIN_FILE=${TOOLS}/toolchains/cross-mingw-w64.cmake"
                   -DTRESK_TARGET_TRIPLE=x86_64-w64-mingw32
                   "-DTreskTools_DIR=${INSTALLED}/moved/${LIBDIR}/cmake/TreskTools")
  endif()
  # A build for this machine does not take the target's package.
  expect_failure("a native build with the target's package" "built for [a-z0-9_]+ [A-Za-z]+; this build is for"
                 ${CMAKE_COMMAND} -S "${SOURCE}" -B "${INSTALLED}/native" -DTRESK_TOOLS_DIR=
                 "-DTreskTools_DIR=${INSTALLED}/moved/${LIBDIR}/cmake/TreskTools")
endif()
# The tools configured without the program (TRESK_CHARSMITH=OFF, with no C++ compiler to be
# had), as a package of the target's files alone: they install all but it and its page; a
# build of the shipped tables takes their object; one that writes tables takes the program
# from the PATH, as a package manager puts it there, and with none there says what is missing.
if(NOT CROSS)
  set(no_program "${INSTALLED}/no-program")
  run_checked(ignored "configure without the program" ${CMAKE_COMMAND} -S "${TOOLS}"
              -B "${no_program}/tools" -G "${QUICK_GENERATOR}" -DTRESK_CHARSMITH=OFF
              -DTRESK_BUILD_TESTS=OFF "-DCMAKE_CXX_COMPILER=${no_program}/no-c++"
              "-DCMAKE_C_FLAGS=${C_FLAGS}" "-DCMAKE_INSTALL_PREFIX=${no_program}/prefix")
  run_checked(ignored "build without the program" ${CMAKE_COMMAND} --build "${no_program}/tools")
  run_checked(ignored "install without the program" ${CMAKE_COMMAND} --install "${no_program}/tools")
  files_below(installed "${no_program}/prefix")
  if(installed MATCHES "tresk_charsmith" OR NOT installed MATCHES "tresk_ord2utf32[.]o")
    message(FATAL_ERROR "installed without the program: ${installed}")
  endif()
  set(configure ${CMAKE_COMMAND} -S "${SOURCE}" -G "${QUICK_GENERATOR}" -DTRESK_TOOLS_DIR=
                "-DCMAKE_PREFIX_PATH=${no_program}/prefix" "-DCMAKE_C_FLAGS=${C_FLAGS}")
  run_checked(ignored "the shipped tables, a package without the program"
              ${configure} -B "${no_program}/example")
  run_checked(ignored "build" ${CMAKE_COMMAND} --build "${no_program}/example")
  # With no program on the PATH (this machine's may have one), configuring says what is missing.
  file(TO_CMAKE_PATH "$ENV{PATH}" dirs)
  foreach(dir IN LISTS dirs)
    if(NOT EXISTS "${dir}/tresk_charsmith")
      list(APPEND plain_dirs "${dir}")
    endif()
  endforeach()
  string(REPLACE ";" ":" plain_path "${plain_dirs}")
  expect_failure("tables written with a package without the program"
                 "no tresk_charsmith runs here: .*installed without it.*none runs from the PATH"
                 ${CMAKE_COMMAND} -E env "PATH=${plain_path}" ${configure} -B "${no_program}/example"
                 -DREBUILD_CHARTABLES=ON)
  run_checked(output "tables written with the program on the PATH" ${CMAKE_COMMAND} -E env
              "PATH=${INSTALLED}/moved/${BINDIR}:$ENV{PATH}" ${configure} -B "${no_program}/path"
              -DREBUILD_CHARTABLES=ON)
  literal(program "${INSTALLED}/moved/${BINDIR}/tresk_charsmith")
  expect("${output}" "written by ${program}, from the PATH" "the program that configure took")
  run_checked(ignored "build, the program from the PATH" ${CMAKE_COMMAND} --build "${no_program}/path")
endif()
message(STATUS "find_package: built and checked from the moved prefix")
