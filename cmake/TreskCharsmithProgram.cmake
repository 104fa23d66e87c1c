# Which tresk_charsmith writes the tables. It must run on the build machine; in this order:
#   HOST      the program named by TRESK_HOST_CHARSMITH;
#   NATIVE    tresk::charsmith, in a build for this machine;
#   EMULATOR  tresk::charsmith through CMAKE_CROSSCOMPILING_EMULATOR, in a cross build;
#             with either, a package installed without the program takes the PATH's, as
#             below (a package manager puts the build machine's there);
#   COPY      in a cross build from the tools' source tree, the copy built for the build
#             machine: the target tresk_host_charsmith, whose property TRESK_PROGRAM names it;
#   PATH      in a cross build from the installed package, the first tresk_charsmith on the
#             PATH that runs here, as distributions lay out a cross build (the build machine's
#             tools on the PATH, the target's files in its root); with none there, the tables
#             rule stops configuring.
# An emulator comes before the PATH: it was asked for, and runs the program of the very
# package found.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors

set(TRESK_HOST_CHARSMITH "" CACHE FILEPATH
    "tresk_charsmith built for the build machine, run instead of tresk::charsmith")

# _tresk_path_charsmith(<var>): the first tresk_charsmith on the PATH whose --help exits 0,
# or "" (an AArch64 program on an x86-64 PATH does not run). The one found is kept in the
# cache, as find_program keeps its finds, so that configuring again from a shell without
# that PATH (an IDE, or a build after an edit) takes it again; it is taken again only while
# it still runs. Looked for once per configure.
function(_tresk_path_charsmith var)
  get_property(looked GLOBAL PROPERTY _tresk_path_charsmith SET)
  if(NOT looked)
    # The PATH as the build machine splits it (at ';' on Windows), and its programs' names.
    file(TO_CMAKE_PATH "$ENV{PATH}" dirs)
    _tresk_host_suffix(suffix)
    list(TRANSFORM dirs APPEND "/tresk_charsmith${suffix}")
    set(found "")
    foreach(candidate IN ITEMS "${_TRESK_PATH_CHARSMITH}" LISTS dirs)
      if(NOT candidate MATCHES "^/tresk_charsmith(${suffix})?$|^$" AND EXISTS "${candidate}"
         AND NOT IS_DIRECTORY "${candidate}")
        execute_process(COMMAND "${candidate}" --help RESULT_VARIABLE status
                        OUTPUT_QUIET ERROR_QUIET)
        if(status EQUAL 0)
          set(found "${candidate}")
          message(STATUS "tresk_chartables: the tables are written by ${found}, from the PATH "
                         "(kept in the cache as _TRESK_PATH_CHARSMITH)")
          break()
        endif()
      endif()
    endforeach()
    set(_TRESK_PATH_CHARSMITH "${found}" CACHE INTERNAL "tresk_charsmith of the build machine, found on the PATH")
    set_property(GLOBAL PROPERTY _tresk_path_charsmith "${found}")
  endif()
  get_property(found GLOBAL PROPERTY _tresk_path_charsmith)
  set(${var} "${found}" PARENT_SCOPE)
endfunction()

# _tresk_host_suffix(<var>): the build machine's executable suffix (CMake 3.22 names it).
function(_tresk_host_suffix var)
  set(suffix "")
  if(CMAKE_HOST_WIN32)
    set(suffix .exe)
  endif()
  set(${var} "${suffix}" PARENT_SCOPE)
endfunction()

# _tresk_route(<var>): the route above that this build takes, decided once for the tools'
# build and each tables rule alike; the source tree says that it builds a copy in the global
# property _tresk_host_copy.
function(_tresk_route var)
  get_property(copy GLOBAL PROPERTY _tresk_host_copy)
  if(TRESK_HOST_CHARSMITH)
    set(route HOST)
  elseif(NOT CMAKE_CROSSCOMPILING)
    set(route NATIVE)
  elseif(CMAKE_CROSSCOMPILING_EMULATOR)
    set(route EMULATOR)
  elseif(copy)
    set(route COPY)
  else()
    set(route PATH)
  endif()
  set(${var} ${route} PARENT_SCOPE)
endfunction()

# _tresk_charsmith_command(<command var> <depends var> <hint var>): the command line that
# runs the program here, what the rule that runs it depends on, and what to look at when
# that command writes nothing.
function(_tresk_charsmith_command command_var depends_var hint_var)
  _tresk_route(route)
  set(hint "")
  set(missing "this cross build cannot run the installed tresk_charsmith, which is built for "
              "the target: put one built for this machine on the PATH or name it in "
              "TRESK_HOST_CHARSMITH, or set CMAKE_CROSSCOMPILING_EMULATOR to an emulator of the target")
  if(route MATCHES "NATIVE|EMULATOR" AND NOT TARGET tresk::charsmith)
    set(route PATH)
    set(missing "these tools have no tresk_charsmith (installed without it, or configured with "
                "TRESK_CHARSMITH=OFF), and none runs from the PATH: install the program too, or "
                "name one built for this machine in TRESK_HOST_CHARSMITH")
  endif()
  if(route STREQUAL "HOST")
    set(command "${TRESK_HOST_CHARSMITH}")
    set(depends "${TRESK_HOST_CHARSMITH}")
  elseif(route STREQUAL "NATIVE")
    set(command $<TARGET_FILE:tresk::charsmith>)
    set(depends tresk::charsmith)
  elseif(route STREQUAL "EMULATOR")
    set(command ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:tresk::charsmith>)
    set(depends tresk::charsmith)
    set(hint " (is CMAKE_CROSSCOMPILING_EMULATOR one that runs the target's programs here?)")
  elseif(route STREQUAL "COPY")
    get_target_property(command tresk_host_charsmith TRESK_PROGRAM)
    set(depends "${command}" tresk_host_charsmith)
  else()
    _tresk_path_charsmith(command)
    set(depends "${command}")
  endif()
  if(NOT command)
    string(CONCAT missing ${missing})
    message(FATAL_ERROR "tresk_chartables: ${missing}")
  endif()
  set(${command_var} "${command}" PARENT_SCOPE)
  set(${depends_var} "${depends}" PARENT_SCOPE)
  set(${hint_var} "${hint}" PARENT_SCOPE)
endfunction()
