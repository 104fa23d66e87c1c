# tresk_charsmith's build, included by the tools' CMakeLists.txt: the program, from its one
# unit main.cc, with what each platform needs of it; and in a cross build that needs one, its
# copy for the build machine, made by one call of the build machine's compiler.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors

set(tresk_charsmith_unit "${CMAKE_CURRENT_LIST_DIR}/main.cc")

if(CMAKE_CXX_COMPILER_LOADED)
  # What each platform needs of the program: its own sources or link options, and whether
  # it can be linked statically at all.
  set(platform_sources "")
  set(platform_link_options "")
  set(platform_link_depends "")
  set(no_static_link "")
  if(EMSCRIPTEN)
    # Run by node, the program writes the real files, sees the real environment and ends
    # with its own status; it is one file that runs as a command. Emscripten's defaults
    # would write into memory and report success.
    set(platform_link_options -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sENVIRONMENT=node -sSINGLE_FILE=1
        "SHELL:--pre-js \"${CMAKE_CURRENT_LIST_DIR}/node_env.js\""
        "SHELL:--extern-pre-js \"${CMAKE_CURRENT_LIST_DIR}/node_shebang.js\"")
    set(platform_link_depends "${CMAKE_CURRENT_LIST_DIR}/node_env.js;${CMAKE_CURRENT_LIST_DIR}/node_shebang.js")
    set(no_static_link "tresk_charsmith is WebAssembly, which has no dynamic C library")
  elseif(CMAKE_SYSTEM_NAME STREQUAL "WASI")
    set(no_static_link "tresk_charsmith is WebAssembly, which has no dynamic C library")
  elseif(APPLE)
    set(no_static_link "tresk_charsmith is linked dynamically, as Apple's systems have no static C library")
  elseif(TRESK_DYNAMIC_ONLY)  # a toolchain that has no static C library says why
    set(no_static_link "tresk_charsmith is linked dynamically, as ${TRESK_DYNAMIC_ONLY}")
  elseif(WIN32)
    # On Windows 10 version 1903 and later the manifest makes UTF-8 the program's code page,
    # so that it writes a file under any name given; Visual Studio embeds the manifest
    # itself, MinGW as a resource.
    set(platform_sources "${CMAKE_CURRENT_LIST_DIR}/utf8.manifest")
    if(NOT MSVC)
      enable_language(RC)
      set(platform_sources "${CMAKE_CURRENT_LIST_DIR}/utf8.rc")
      set_source_files_properties(${platform_sources} PROPERTIES
                                  OBJECT_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/utf8.manifest")
    endif()
  endif()

  # TRESK_STATIC: ON links statically or stops, AUTO where the toolchain can link so (many
  # systems install no static C or C++ library by default), OFF (or any false value)
  # dynamically.
  set(tresk_static OFF)
  if(no_static_link AND TRESK_STATIC)
    message(STATUS "${no_static_link}: TRESK_STATIC does not apply")
  elseif(TRESK_STATIC)
    if(NOT TRESK_STATIC STREQUAL "AUTO")
      unset(TRESK_STATIC_LINK_WORKS CACHE)  # asked for: the answer of now
    endif()
    if(MSVC)  # its static C runtime comes with it
      set(TRESK_STATIC_LINK_WORKS ON)
    endif()
    include(CheckCXXSourceCompiles)
    set(CMAKE_REQUIRED_LINK_OPTIONS -static)
    set(CMAKE_REQUIRED_QUIET ON)
    check_cxx_source_compiles("#include <cstdio>\nint main() { return std::puts(\"\") < 0; }"
                              TRESK_STATIC_LINK_WORKS)
    set(tresk_static ${TRESK_STATIC_LINK_WORKS})
    set(linked "tresk_charsmith is linked statically (-DTRESK_STATIC=OFF links it dynamically)")
    if(NOT tresk_static)
      string(CONCAT linked "${CMAKE_CXX_COMPILER} cannot link a static program; install the static "
                           "C and C++ libraries (Fedora: glibc-static and libstdc++-static)")
      if(NOT TRESK_STATIC STREQUAL "AUTO")
        message(FATAL_ERROR "TRESK_STATIC is ON, but ${linked}, or configure with -DTRESK_STATIC=OFF")
      endif()
      set(linked "tresk_charsmith is linked dynamically: ${linked} and configure with -DTRESK_STATIC=ON for one")
    endif()
    message(STATUS "${linked}")
  endif()

  add_executable(tresk_charsmith "${tresk_charsmith_unit}" ${platform_sources})
  target_compile_features(tresk_charsmith PRIVATE cxx_std_20)
  target_compile_options(tresk_charsmith PRIVATE ${tresk_lean})
  target_link_options(tresk_charsmith PRIVATE ${platform_link_options})
  target_link_libraries(tresk_charsmith PRIVATE tresk_warnings)
  if(tresk_static AND MSVC)
    set_target_properties(tresk_charsmith PROPERTIES MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  elseif(tresk_static)
    target_link_options(tresk_charsmith PRIVATE -static)
  endif()
  # In a library's build the program runs once, for a millisecond: it is compiled as fast as
  # can be, whatever the library's build type asks for its own code (without optimisation,
  # _FORTIFY_SOURCE would only warn).
  if(NOT tresk_top_level)
    target_compile_options(tresk_charsmith PRIVATE ${tresk_fast_compile})
    target_link_options(tresk_charsmith PRIVATE ${tresk_fast_link})
  endif()
  # The program lands at the top of the build tree, where the README runs it.
  set_target_properties(tresk_charsmith PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
                        EXCLUDE_FROM_ALL ${tresk_only_what_is_used} LINK_DEPENDS "${platform_link_depends}")
  # The name a library's build uses, the same as that of the installed package.
  add_executable(tresk::charsmith ALIAS tresk_charsmith)
endif()

# In a cross build, the copy for the build machine, built where a build cannot run the
# target's program (and for the tests, which compare the two): the unit compiled by the
# build machine's C++ compiler, TRESK_HOST_CXX_COMPILER, else CXX_FOR_BUILD, else c++ from
# the PATH; never CXX or a toolchain file from the environment, which in a cross shell name
# the target's. The target tresk_host_charsmith names it in its property TRESK_PROGRAM.
if(NOT CMAKE_CROSSCOMPILING OR NOT TRESK_CHARSMITH)
  return()
endif()
if(NOT TRESK_HOST_CXX_COMPILER AND NOT "$ENV{CXX_FOR_BUILD}" STREQUAL "")
  separate_arguments(compiler UNIX_COMMAND "$ENV{CXX_FOR_BUILD}")
else()
  if(NOT TRESK_HOST_CXX_COMPILER)
    unset(TRESK_HOST_CXX_COMPILER CACHE)  # an empty entry would stop find_program from looking
  endif()
  find_program(TRESK_HOST_CXX_COMPILER NAMES c++ g++ clang++ NO_CMAKE_FIND_ROOT_PATH
               DOC "C++ compiler of the build machine for its copy of tresk_charsmith")
  set(compiler "${TRESK_HOST_CXX_COMPILER}")
endif()
set(program "${CMAKE_BINARY_DIR}/tresk_host_charsmith/tresk_charsmith")
if(CMAKE_HOST_WIN32)
  string(APPEND program .exe)
endif()
string(REGEX REPLACE "([][*?])" "[\\1]" folder "${CMAKE_CURRENT_LIST_DIR}")
file(GLOB sources "${folder}/*.cc" "${folder}/*.h")
file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/tresk_host_charsmith")
add_custom_command(OUTPUT "${program}"
  COMMAND ${compiler} -std=c++20 -fno-exceptions -fno-rtti -o "${program}" "${tresk_charsmith_unit}"
  DEPENDS ${sources}
  COMMENT "Building tresk_charsmith for the build machine"
  VERBATIM)
add_custom_target(tresk_host_charsmith DEPENDS "${program}")
set_target_properties(tresk_host_charsmith PROPERTIES TRESK_PROGRAM "${program}")
