# The host copy of tresk_charsmith, for cross builds from the tools' source tree with no
# emulator: the program built for the build machine as a part of the library's build.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors

# _tresk_host_charsmith(<var>): sets <var> to tresk_charsmith built from the tools' source
# tree for the build machine, as a part of this build, by the build machine's compilers:
# TRESK_HOST_C_COMPILER and TRESK_HOST_CXX_COMPILER, else CC_FOR_BUILD and CXX_FOR_BUILD,
# else cc and c++ from the PATH; never CC, CXX or a toolchain file from the environment,
# which in a cross shell name the target's. There is one such copy per build tree, however
# many tables it writes. It is built again when its sources change, and only then.
function(_tresk_host_charsmith var)
  set(prefix ${CMAKE_BINARY_DIR}/tresk_host_charsmith)
  _tresk_host_suffix(suffix)
  set(program ${prefix}/build/tresk_charsmith${suffix})
  set(${var} ${program} PARENT_SCOPE)
  if(TARGET tresk_host_charsmith)
    return()
  endif()

  set(TRESK_HOST_C_COMPILER "" CACHE FILEPATH
      "C compiler of the build machine for the host copy of tresk_charsmith; empty: CC_FOR_BUILD or cc")
  set(TRESK_HOST_CXX_COMPILER "" CACHE FILEPATH
      "C++ compiler of the build machine for the host copy of tresk_charsmith; empty: CXX_FOR_BUILD or c++")
  set(args -DCMAKE_BUILD_TYPE=Release -DTRESK_STATIC=OFF -DTRESK_BUILD_TESTS=OFF -DTRESK_INSTALL=OFF
           -DCMAKE_TOOLCHAIN_FILE=)
  foreach(lang C CXX)
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
    list(APPEND args "-DCMAKE_${lang}_COMPILER=${compiler}")
  endforeach()
  # Written only when it changes: the copy is configured again when the compilers or any
  # other setting change, with no need to delete anything.
  string(REPLACE ";" "\n" recorded "${args}")
  file(WRITE ${prefix}/settings.new "${recorded}\n")
  configure_file(${prefix}/settings.new ${prefix}/settings.txt COPYONLY)

  get_property(source GLOBAL PROPERTY _tresk_tools_source)
  file(GLOB sources ${source}/charsmith/*)
  add_custom_command(
    OUTPUT ${prefix}/configured.stamp
    COMMAND ${CMAKE_COMMAND} -E env --unset=CC --unset=CXX --unset=CFLAGS --unset=CXXFLAGS
            --unset=CPPFLAGS --unset=LDFLAGS --unset=CMAKE_TOOLCHAIN_FILE
            ${CMAKE_COMMAND} -S ${source} -B ${prefix}/build -G ${CMAKE_GENERATOR}
            -DCMAKE_MAKE_PROGRAM=${CMAKE_MAKE_PROGRAM} ${args} > ${prefix}/configure.log
    COMMAND ${CMAKE_COMMAND} -E touch ${prefix}/configured.stamp
    DEPENDS ${prefix}/settings.txt
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
    OUTPUT ${prefix}/built.stamp
    BYPRODUCTS ${program}
    COMMAND ${build}
    COMMAND ${CMAKE_COMMAND} -E touch ${prefix}/built.stamp
    DEPENDS ${prefix}/configured.stamp ${sources} ${source}/CMakeLists.txt
    WORKING_DIRECTORY ${prefix}/build
    COMMENT "Building tresk_charsmith for the build machine"
    VERBATIM)
  add_custom_target(tresk_host_charsmith DEPENDS ${prefix}/built.stamp)
endfunction()
