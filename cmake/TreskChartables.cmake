# tresk_chartables(<output> [BINARY] [LOCALE <name>] [TARGETS <target>...])
#
# Writes <output> (relative paths are taken in the current binary directory) with
# tresk_charsmith: the character tables as C source, or with BINARY as the raw 1088 bytes.
# With LOCALE the program runs with -L and LC_ALL set to <name>.
#
# One target, built by default, writes the file; each of TARGETS (the targets that compile
# or read it) is made to depend on that one, so that however many of them there are, the
# file is written once and never while one of them reads it. The program writes beside the
# output and the output is replaced only when its bytes change, so that nothing that
# compiles it is rebuilt for identical tables. It is written again when the program changes
# and never otherwise.
#
# The program that runs must run on the build machine. In this order: the program named by
# TRESK_HOST_CHARSMITH; in a cross build, tresk::charsmith through
# CMAKE_CROSSCOMPILING_EMULATOR; in a cross build from the tools' source tree without an
# emulator, a copy of the program built for the build machine, once per build tree; a cross
# build from the installed package with neither stops here. Otherwise tresk::charsmith.
#
# Run as a script (cmake -DTRESK_OUTPUT=... -P TreskChartables.cmake), this file is the
# build step of one tables file.

# _tresk_missing_locale(<var> <name>): says that the locale <name> is missing, and how to
# make it.
function(_tresk_missing_locale var name)
  string(REGEX REPLACE "^([^.@]+)[.]([^@]+).*" "localedef -i \\1 -f \\2 ${name}" command "${name}")
  if(command STREQUAL name)
    set(command "localedef")
  endif()
  set(${var} "the locale ${name} is not available on this machine; make it with ${command} or install the system's locales package" PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED TRESK_OUTPUT)
  # -DTRESK_RUN=<[emulator...;]program> -DTRESK_OUTPUT=<file> -DTRESK_STAMP=<file>
  # [-DTRESK_BINARY=1] [-DTRESK_LOCALE=<name>]
  set(command ${TRESK_RUN})
  if(TRESK_BINARY)
    list(APPEND command -b)
  endif()
  if(DEFINED TRESK_LOCALE)
    set(command ${CMAKE_COMMAND} -E env "LC_ALL=${TRESK_LOCALE}" ${command} -L)
  endif()
  set(new "${TRESK_OUTPUT}.new")
  execute_process(COMMAND ${command} "${new}" RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    # No tables at all rather than those of an earlier run: nothing stale can be compiled.
    file(REMOVE "${new}" "${TRESK_OUTPUT}" "${TRESK_STAMP}")
    string(STRIP "${errors}" errors)
    if(DEFINED TRESK_LOCALE AND errors MATCHES "setlocale\\(\\) failed")
      _tresk_missing_locale(missing "${TRESK_LOCALE}")
      set(errors "tresk_chartables: cannot write ${TRESK_OUTPUT}: ${missing}")
    elseif(errors STREQUAL "")
      set(errors "tresk_chartables: cannot write ${TRESK_OUTPUT}: the program ended with ${status}")
    endif()
    # The line alone where CMake can end a script so; else under CMake's heading, kept
    # whole (an indented line is not wrapped).
    if(NOT CMAKE_VERSION VERSION_LESS 3.29)
      message("${errors}")
      cmake_language(EXIT 1)
    endif()
    message(FATAL_ERROR " ${errors}")
  endif()
  # Identical tables keep the file as it was, its time included.
  file(SHA256 "${new}" written)
  set(current "")
  if(EXISTS "${TRESK_OUTPUT}")
    file(SHA256 "${TRESK_OUTPUT}" current)
  endif()
  if(written STREQUAL current)
    file(REMOVE "${new}")
  else()
    file(RENAME "${new}" "${TRESK_OUTPUT}")
  endif()
  file(TOUCH "${TRESK_STAMP}")
  return()
endif()

set(TRESK_HOST_CHARSMITH "" CACHE FILEPATH
    "tresk_charsmith built for the build machine, run instead of tresk::charsmith")
set_property(GLOBAL PROPERTY _tresk_chartables_script "${CMAKE_CURRENT_LIST_FILE}")
# The tools' source tree, when this file is in one rather than in an installed package.
get_filename_component(_tresk_tools_source "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
if(EXISTS "${_tresk_tools_source}/charsmith/main.cc")
  set_property(GLOBAL PROPERTY _tresk_tools_source "${_tresk_tools_source}")
endif()
unset(_tresk_tools_source)

# _tresk_route(<var>): which program writes the tables here: HOST, the one named by
# TRESK_HOST_CHARSMITH; NATIVE, tresk::charsmith; EMULATOR, tresk::charsmith through
# CMAKE_CROSSCOMPILING_EMULATOR; or COPY, a copy built for the build machine.
function(_tresk_route var)
  if(TRESK_HOST_CHARSMITH)
    set(${var} HOST PARENT_SCOPE)
  elseif(NOT CMAKE_CROSSCOMPILING)
    set(${var} NATIVE PARENT_SCOPE)
  elseif(CMAKE_CROSSCOMPILING_EMULATOR)
    set(${var} EMULATOR PARENT_SCOPE)
  else()
    set(${var} COPY PARENT_SCOPE)
  endif()
endfunction()

function(tresk_chartables output)
  cmake_parse_arguments(PARSE_ARGV 1 arg "BINARY" "LOCALE" "TARGETS")
  if(NOT IS_ABSOLUTE "${output}")
    set(output "${CMAKE_CURRENT_BINARY_DIR}/${output}")
  endif()
  file(RELATIVE_PATH shown "${CMAKE_BINARY_DIR}" "${output}")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tresk_chartables(${shown}): unexpected arguments \"${arg_UNPARSED_ARGUMENTS}\"; "
                        "the options are BINARY, LOCALE <name> and TARGETS <target>...")
  endif()
  # LOCALE with nothing after it or an empty value, however this CMake parses that.
  list(FIND ARGN LOCALE locale_given)
  if(locale_given GREATER -1 AND "${arg_LOCALE}" STREQUAL "")
    message(FATAL_ERROR "tresk_chartables(${shown}): LOCALE needs a locale name, such as "
                        "LOCALE fr_FR.ISO-8859-1; leave LOCALE out for the tables of the \"C\" locale")
  endif()

  # One rule per output: a second call with the same options only adds its targets.
  set(options "")
  if(arg_BINARY)
    list(APPEND options BINARY)
  endif()
  if(DEFINED arg_LOCALE)
    list(APPEND options LOCALE ${arg_LOCALE})
  endif()
  string(REPLACE ";" " " options "${options}")
  if(options STREQUAL "")
    set(options "no options")
  endif()
  string(MAKE_C_IDENTIFIER "tresk_tables_${shown}" owner)
  get_property(asked GLOBAL PROPERTY "_tresk_chartables ${output}" SET)
  if(asked)
    get_property(earlier GLOBAL PROPERTY "_tresk_chartables ${output}")
    if(NOT earlier STREQUAL options)
      message(FATAL_ERROR "tresk_chartables(${shown}): asked for twice, with ${earlier} and "
                          "with ${options}; give each set of options its own output file")
    endif()
  else()
    set_property(GLOBAL PROPERTY "_tresk_chartables ${output}" "${options}")
    _tresk_chartables_rule("${output}" "${shown}" ${owner})
  endif()
  foreach(target IN LISTS arg_TARGETS)
    add_dependencies(${target} ${owner})
    # A target of another directory sees the file as generated too (from CMake 3.20 every
    # directory does).
    if(NOT CMAKE_VERSION VERSION_LESS 3.18)
      set_source_files_properties("${output}" TARGET_DIRECTORY ${target} PROPERTIES GENERATED ON)
    endif()
  endforeach()
endfunction()

# The rule itself, for tresk_chartables(): arg_BINARY and arg_LOCALE come from the caller.
function(_tresk_chartables_rule output shown owner)
  _tresk_route(route)
  if(route STREQUAL "HOST")
    set(program "${TRESK_HOST_CHARSMITH}")
    set(depends "${TRESK_HOST_CHARSMITH}")
  elseif(route STREQUAL "NATIVE")
    set(program $<TARGET_FILE:tresk::charsmith>)
    set(depends tresk::charsmith)
  elseif(route STREQUAL "EMULATOR")
    set(program ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:tresk::charsmith>)
    set(depends tresk::charsmith)
  else()
    get_property(source GLOBAL PROPERTY _tresk_tools_source)
    if(NOT source)
      message(FATAL_ERROR "tresk_chartables: this cross build cannot run the installed "
                          "tresk_charsmith, which is built for the target: set "
                          "TRESK_HOST_CHARSMITH to one built for this machine, or "
                          "CMAKE_CROSSCOMPILING_EMULATOR to an emulator of the target")
    endif()
    _tresk_host_charsmith(program)
    set(depends ${program} tresk_host_charsmith)
  endif()

  set(options "")
  if(arg_BINARY)
    list(APPEND options -DTRESK_BINARY=1)
  endif()
  if(DEFINED arg_LOCALE)
    list(APPEND options "-DTRESK_LOCALE=${arg_LOCALE}")
    _tresk_check_locale("${arg_LOCALE}" "${shown}")
  endif()
  get_property(script GLOBAL PROPERTY _tresk_chartables_script)
  set(stamp "${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${owner}.stamp")
  # The output is a byproduct: under Make, the stamp records that the rule ran, so that
  # tables left as they were do not make it run again.
  add_custom_command(
    OUTPUT "${stamp}"
    BYPRODUCTS "${output}"
    COMMAND ${CMAKE_COMMAND} "-DTRESK_RUN=${program}" "-DTRESK_OUTPUT=${output}"
            "-DTRESK_STAMP=${stamp}" ${options} -P "${script}"
    DEPENDS ${depends} "${script}"
    COMMENT "Writing character tables ${shown}"
    VERBATIM)
  add_custom_target(${owner} ALL DEPENDS "${stamp}")
endfunction()

# _tresk_check_locale(<name> <output>): in a native build, stops configuring when the C
# library cannot set the locale <name>; a cross build finds out when the tables are written.
function(_tresk_check_locale name shown)
  string(MAKE_C_IDENTIFIER "${name}" id)
  if(CMAKE_CROSSCOMPILING OR NOT CMAKE_C_COMPILER_LOADED OR name MATCHES "^(C|POSIX)$"
     OR _TRESK_LOCALE_${id})
    return()
  endif()
  set(source "${CMAKE_BINARY_DIR}/CMakeFiles/tresk_locale_check.c")
  if(NOT EXISTS "${source}")
    file(WRITE "${source}" "#include <locale.h>\nint main(int argc, char **argv) {\n"
                           "  return argc == 2 && setlocale(LC_ALL, argv[1]) ? 0 : 1;\n}\n")
  endif()
  try_run(runs compiles "${CMAKE_BINARY_DIR}/CMakeFiles/tresk_locale_check" "${source}"
          ARGS "${name}")
  set(status "${runs}")
  set(built "${compiles}")
  unset(runs CACHE)
  unset(compiles CACHE)
  if(NOT built)
    return()
  endif()
  if(NOT status EQUAL 0)
    _tresk_missing_locale(missing "${name}")
    message(FATAL_ERROR "tresk_chartables(${shown}): ${missing}; then configure again")
  endif()
  set(_TRESK_LOCALE_${id} TRUE CACHE INTERNAL "the C library can set the locale ${name}")
endfunction()

# _tresk_host_charsmith(<var>): sets <var> to tresk_charsmith built from the tools' source
# tree for the build machine, as a part of this build, by the build machine's compilers:
# TRESK_HOST_C_COMPILER and TRESK_HOST_CXX_COMPILER, else CC_FOR_BUILD and CXX_FOR_BUILD,
# else cc and c++ from the PATH; never CC, CXX or a toolchain file from the environment,
# which in a cross shell name the target's. There is one such copy per build tree, however
# many tables it writes. It is built again when its sources change, and only then.
function(_tresk_host_charsmith var)
  set(prefix ${CMAKE_BINARY_DIR}/tresk_host_charsmith)
  set(program ${prefix}/build/tresk_charsmith)
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
