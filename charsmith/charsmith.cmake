# tresk_charsmith's build, included by the tools' CMakeLists.txt: the one list of its
# sources, the program with what each platform needs of it, and, in a cross build, the
# copy built for the build machine from the same list.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors

# Every build of the program is made from one list, sources.txt: the program itself, the
# unit tests (all but main.cc), a library's build, the build machine's copy and Zig's build.
file(STRINGS "${CMAKE_CURRENT_LIST_DIR}/sources.txt" tresk_charsmith_sources REGEX "^[^#]")
list(TRANSFORM tresk_charsmith_sources PREPEND "${CMAKE_CURRENT_LIST_DIR}/")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/sources.txt")

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
    set(node_env "${CMAKE_CURRENT_LIST_DIR}/node_env.js")
    set(node_shebang "${CMAKE_CURRENT_LIST_DIR}/node_shebang.js")
    set(tresk_node_options -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sENVIRONMENT=node)
    set(platform_link_options ${tresk_node_options} -sSINGLE_FILE=1
        "SHELL:--pre-js \"${node_env}\"" "SHELL:--extern-pre-js \"${node_shebang}\"")
    set(platform_link_depends "${node_env};${node_shebang}")
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
  if(TRESK_STATIC STREQUAL "AUTO")
    set(static_asked AUTO)
  elseif(TRESK_STATIC)
    set(static_asked ON)
  else()
    set(static_asked OFF)
  endif()
  set(tresk_static OFF)
  if(static_asked STREQUAL "OFF")
    # dynamic, as asked
  elseif(no_static_link)
    message(STATUS "${no_static_link}: TRESK_STATIC does not apply")
  else()
    if(static_asked STREQUAL "ON")
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
    string(CONCAT missing "${CMAKE_CXX_COMPILER} cannot link a static program; install the static "
                          "C and C++ libraries (Fedora: glibc-static and libstdc++-static)")
    if(tresk_static AND static_asked STREQUAL "AUTO")
      message(STATUS "tresk_charsmith is linked statically (-DTRESK_STATIC=OFF links it dynamically)")
    elseif(NOT tresk_static AND static_asked STREQUAL "ON")
      message(FATAL_ERROR "TRESK_STATIC is ON, but ${missing}, or configure with -DTRESK_STATIC=OFF")
    elseif(NOT tresk_static)
      message(STATUS "tresk_charsmith is linked dynamically: ${missing} and configure with -DTRESK_STATIC=ON for one")
    endif()
  endif()

  # The program is compiled as one unit, which includes each source of the list by name:
  # each unit would pay again for the compiler's start and the C library's headers. (CMake's
  # UNITY_BUILD does the same, but Meson's CMake module then compiles each source as well.)
  set(unit "// tresk_charsmith as one unit, written from its list of sources.\n")
  foreach(source IN LISTS tresk_charsmith_sources)
    get_filename_component(name "${source}" NAME)
    if(name MATCHES "[.]cc$")
      string(APPEND unit "#include \"${name}\"\n")
    endif()
  endforeach()
  set(unit_file "${CMAKE_CURRENT_BINARY_DIR}/tresk_charsmith_unit.cc")
  file(WRITE "${unit_file}.new" "${unit}")
  configure_file("${unit_file}.new" "${unit_file}" COPYONLY)  # its time kept while unchanged
  add_executable(tresk_charsmith "${unit_file}" ${platform_sources})
  # (For C++ alone: MinGW's resource compiler is given the folder unquoted.)
  target_include_directories(tresk_charsmith PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${CMAKE_CURRENT_LIST_DIR}>")
  target_compile_features(tresk_charsmith PRIVATE cxx_std_20)
  target_compile_options(tresk_charsmith PRIVATE ${tresk_lean})
  target_link_options(tresk_charsmith PRIVATE ${platform_link_options})
  target_link_libraries(tresk_charsmith PRIVATE tresk_warnings)
  set_target_properties(tresk_charsmith PROPERTIES LINK_DEPENDS "${platform_link_depends}")
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
                        EXCLUDE_FROM_ALL ${tresk_only_what_is_used})
  # The name a library's build uses, the same as that of the installed package.
  add_executable(tresk::charsmith ALIAS tresk_charsmith)
endif()

# tresk_build_machine_compiler(<var> C|CXX): the build machine's compiler for the language,
# for its copy of the program and the tests' programs of this machine: see below.
function(tresk_build_machine_compiler var lang)
  set(TRESK_HOST_${lang}_COMPILER "" CACHE FILEPATH
      "${lang} compiler of the build machine for its copy of tresk_charsmith; empty: ${lang}_FOR_BUILD, or one from the PATH")
  if(TRESK_HOST_${lang}_COMPILER)
    set(compiler "${TRESK_HOST_${lang}_COMPILER}")
  elseif(NOT "$ENV{${lang}_FOR_BUILD}" STREQUAL "")
    set(compiler "$ENV{${lang}_FOR_BUILD}")
  else()
    set(names cc gcc clang)
    if(lang STREQUAL "CXX")
      set(names c++ g++ clang++)
    endif()
    find_program(TRESK_BUILD_MACHINE_${lang} NAMES ${names} NO_CMAKE_FIND_ROOT_PATH)
    mark_as_advanced(TRESK_BUILD_MACHINE_${lang})
    set(compiler "${TRESK_BUILD_MACHINE_${lang}}")
  endif()
  set(${var} "${compiler}" PARENT_SCOPE)
endfunction()

# In a cross build with no emulator (and for the tests, which compare with it), the program
# is also built for the build machine, as a part of this build, by the build machine's
# compilers: TRESK_HOST_C_COMPILER and TRESK_HOST_CXX_COMPILER, else CC_FOR_BUILD and
# CXX_FOR_BUILD, else cc and c++ from the PATH; never CC, CXX or a toolchain file from the
# environment, which in a cross shell name the target's. The target tresk_host_charsmith
# builds it and names it in its property TRESK_PROGRAM, where tresk_chartables() finds it.
# It is built again when the tools' sources change, and only then.
if(NOT TRESK_CHARSMITH OR NOT (tresk_route STREQUAL "COPY"
                               OR (tresk_route STREQUAL "EMULATOR" AND TRESK_BUILD_TESTS)))
  return()
endif()
set(prefix "${CMAKE_BINARY_DIR}/tresk_host_charsmith")
_tresk_host_suffix(suffix)
set(program "${prefix}/build/tresk_charsmith${suffix}")

set(args -DCMAKE_BUILD_TYPE=Release -DTRESK_STATIC=OFF -DTRESK_BUILD_TESTS=OFF -DTRESK_INSTALL=OFF
         -DCMAKE_TOOLCHAIN_FILE=)
foreach(lang C CXX)
  tresk_build_machine_compiler(compiler ${lang})
  list(APPEND args "-DCMAKE_${lang}_COMPILER=${compiler}")
endforeach()
# Written only when it changes: the copy is configured again when the compilers or any
# other setting change, with no need to delete anything.
string(REPLACE ";" "\n" recorded "${args}")
file(WRITE "${prefix}/settings.new" "${recorded}\n")
configure_file("${prefix}/settings.new" "${prefix}/settings.txt" COPYONLY)

add_custom_command(
  OUTPUT "${prefix}/configured.stamp"
  COMMAND ${CMAKE_COMMAND} -E env --unset=CC --unset=CXX --unset=CFLAGS --unset=CXXFLAGS
          --unset=CPPFLAGS --unset=LDFLAGS --unset=CMAKE_TOOLCHAIN_FILE
          ${CMAKE_COMMAND} -S "${PROJECT_SOURCE_DIR}" -B "${prefix}/build" -G "${CMAKE_GENERATOR}"
          "-DCMAKE_MAKE_PROGRAM=${CMAKE_MAKE_PROGRAM}" ${args} > "${prefix}/configure.log"
  COMMAND ${CMAKE_COMMAND} -E touch "${prefix}/configured.stamp"
  DEPENDS "${prefix}/settings.txt"
  COMMENT "Configuring tresk_charsmith for the build machine"
  VERBATIM)
# Under Make the inner build takes its share of the parent's jobs; Ninja has no such
# protocol, so there it runs its own.
if(CMAKE_GENERATOR MATCHES "Make")
  set(build $(MAKE) tresk_charsmith)
else()
  set(build ${CMAKE_COMMAND} --build . --target tresk_charsmith)
endif()
add_custom_command(
  OUTPUT "${prefix}/built.stamp"
  BYPRODUCTS "${program}"
  COMMAND ${build}
  COMMAND ${CMAKE_COMMAND} -E touch "${prefix}/built.stamp"
  DEPENDS "${prefix}/configured.stamp" ${tresk_charsmith_sources} "${PROJECT_SOURCE_DIR}/CMakeLists.txt"
          "${CMAKE_CURRENT_LIST_FILE}"
  WORKING_DIRECTORY "${prefix}/build"
  COMMENT "Building tresk_charsmith for the build machine"
  VERBATIM)
add_custom_target(tresk_host_charsmith DEPENDS "${prefix}/built.stamp")
set_target_properties(tresk_host_charsmith PROPERTIES TRESK_PROGRAM "${program}")
