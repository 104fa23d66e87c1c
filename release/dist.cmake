# Makes the release archive, tresk-tools-<version>.tar.gz, of what tools-tree.txt lists, in
# one folder tresk-tools-<version>/; with CHECK, unpacks it in a fresh folder beside it, read
# only, and configures, builds and tests it there, failing if any step does:
#   cmake -DTOOLS=<the tools' tree> -DARCHIVE=<folder>/tresk-tools-<version>.tar.gz
#         [-DCHECK=ON -DGENERATOR=<CMake's generator>] -P dist.cmake
# The targets dist and distcheck of the tools' own build run it. From a git checkout the
# archive holds the commit checked out, with git's fixed order, owners, modes and times (the
# commit's), and gzip stores no name or time: two clones of one commit make the same bytes,
# whatever their folders, clocks and umasks. Elsewhere (a tree unpacked from an archive) it
# holds the files as they are, and is not reproducible.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
cmake_minimum_required(VERSION 3.19)

get_filename_component(folder "${ARCHIVE}" DIRECTORY)
get_filename_component(name "${ARCHIVE}" NAME)
string(REGEX REPLACE "[.]tar[.]gz$" "" name "${name}")
file(STRINGS "${TOOLS}/tools-tree.txt" paths REGEX "^[^#]")
file(MAKE_DIRECTORY "${folder}")
file(REMOVE "${ARCHIVE}" "${folder}/${name}.tar")

# A git checkout of the tools themselves, not a tree unpacked inside another checkout.
execute_process(COMMAND git -C "${TOOLS}" rev-parse --show-toplevel OUTPUT_VARIABLE top
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
get_filename_component(tools "${TOOLS}" REALPATH)
if(NOT top STREQUAL tools)
  message(STATUS "${TOOLS} is no git checkout: the archive holds its files as they are")
  execute_process(COMMAND ${CMAKE_COMMAND} -E make_directory "${folder}/${name}")
  foreach(path IN LISTS paths)
    file(COPY "${TOOLS}/${path}" DESTINATION "${folder}/${name}")
  endforeach()
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar czf "${ARCHIVE}" "${name}"
                  WORKING_DIRECTORY "${folder}" RESULT_VARIABLE failed)
  file(REMOVE_RECURSE "${folder}/${name}")
else()
  execute_process(COMMAND git -C "${TOOLS}" status --porcelain -- ${paths}
                  OUTPUT_VARIABLE changed)
  if(changed)
    message(STATUS "the archive holds the commit checked out, without these changes:\n${changed}")
  endif()
  execute_process(COMMAND git -C "${TOOLS}" -c tar.umask=0022 archive --format=tar
                          "--prefix=${name}/" -o "${folder}/${name}.tar" HEAD -- ${paths}
                  COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND gzip -n -9 "${folder}/${name}.tar" RESULT_VARIABLE failed)
endif()
if(failed OR NOT EXISTS "${ARCHIVE}")
  message(FATAL_ERROR "dist: could not write ${ARCHIVE}")
endif()
file(SHA256 "${ARCHIVE}" sha256)
message(STATUS "${ARCHIVE}\nSHA256 ${sha256}")
if(NOT CHECK)
  return()
endif()

# distcheck: the archive alone builds and passes its suite, its sources read only.
set(check "${folder}/distcheck")
if(EXISTS "${check}")
  execute_process(COMMAND chmod -R u+w "${check}")
  file(REMOVE_RECURSE "${check}")
endif()
file(ARCHIVE_EXTRACT INPUT "${ARCHIVE}" DESTINATION "${check}")
execute_process(COMMAND chmod -R a-w "${check}/${name}")
cmake_host_system_information(RESULT jobs QUERY NUMBER_OF_LOGICAL_CORES)
foreach(step "configure;-S;${check}/${name};-B;${check}/build;-G;${GENERATOR}"
             "build;--build;${check}/build;-j;${jobs}"
             "test;ctest;--test-dir;${check}/build;-j;${jobs};--output-on-failure")
  list(POP_FRONT step what)
  set(command ${CMAKE_COMMAND} ${step})
  if(what STREQUAL "test")
    list(POP_FRONT step)
    set(command ${CMAKE_CTEST_COMMAND} ${step})
  endif()
  execute_process(COMMAND ${command} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "distcheck: the archive's ${what} step failed (${status})")
  endif()
endforeach()
message(STATUS "distcheck: ${ARCHIVE} builds and passes its suite on its own")
