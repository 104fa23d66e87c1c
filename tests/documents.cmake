# Builds the snippets of the documents as written, each taken from the document's own text
# into a fresh C project with the README's tresk_internal.h (Meson's, TRESK's own file, into
# a copy of the example), and checks the library each
# makes by using it: a program linked with it reads the tables and calls the writer. The
# installed routes take the tools from a prefix of one's own, installed (ROUTE=prefix) and
# found as installing.md says, with HOME in the build tree (DOCUMENTS_HOME). using.md's
# configure.ac and Makefile.am are the example's, built by installed/configure.cmake.
#   cmake -DROUTE=prefix|cmake|locale|make|meson|conan|zig -DDIR=... -P documents.cmake
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
cmake_policy(VERSION 3.16...4.3)
include("${CMAKE_CURRENT_LIST_DIR}/checks.cmake")

# fresh_project(<folder>): a fresh C project with the README's tresk_internal.h.
function(fresh_project folder)
  file(REMOVE_RECURSE "${folder}")
  snippet(header "${TOOLS}/README.md" "/* tresk_internal.h */")
  file(WRITE "${folder}/tresk_internal.h" "${header}")
endfunction()

# readme_lists(<var> [INSTALLED]): the README's CMakeLists.txt, with INSTALLED in its other
# form, which takes the installed package.
function(readme_lists var)
  snippet(lists "${TOOLS}/README.md" "# CMakeLists.txt, with tresk_internal.h beside it")
  if(ARGN STREQUAL "INSTALLED")
    string(REGEX REPLACE "add_subdirectory[(]tools tresk_tools[)] *# or: " "" lists "${lists}")
  endif()
  set(${var} "${lists}" PARENT_SCOPE)
endfunction()

# check_library(<archive> <folder>): the library holds the tables and the writer, and a
# program linked with it, with tresk_internal.h from the folder, reads tables equal to the
# program's and calls the writer.
function(check_library archive include)
  run_checked(symbols "nm ${archive}" ${NM} "${archive}")
  expect("${symbols}" " [DRT] _tresk_default_tables\n" "the tables in ${archive}")
  expect("${symbols}" " T _tresk_ord2utf_32\n" "the writer in ${archive}")
  separate_arguments(flags UNIX_COMMAND "${C_FLAGS}")
  get_filename_component(folder "${archive}" DIRECTORY)
  run_checked(ignored "a program linked with ${archive}" "${TARGET_CC}" ${flags} -I "${include}"
              -o "${folder}/check" "${TOOLS}/examples/library/example_check.c" "${archive}")
  run_checked(ignored "the program's tables" "${CHARSMITH}" -b "${folder}/tables.bin")
  run_checked(ignored "the program linked with ${archive}" "${folder}/check" "${folder}/tables.bin")
  message(STATUS "${archive}: the tables and the writer, read and called")
endfunction()

# setting(<var> <route>): how installing.md's table says the route finds a prefix of one's own.
function(setting var route)
  file(READ "${TOOLS}/doc/installing.md" text)
  literal(route "${route}")
  if(NOT text MATCHES "\n[|] ${route} [|] `([^`]*)`")
    message(FATAL_ERROR "doc/installing.md says nothing of how ${route} finds a prefix of one's own")
  endif()
  string(REPLACE "$HOME" "${DOCUMENTS_HOME}" value "${CMAKE_MATCH_1}")
  set(${var} "${value}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${DIR}")
if(ROUTE STREQUAL "prefix")
  # installing.md's commands, each split as the shell splits it, run in the tools' tree with
  # their build folder in DIR.
  file(REMOVE_RECURSE "${DOCUMENTS_HOME}")
  snippet(text "${TOOLS}/doc/installing.md" "# a prefix of your own")
  string(REPLACE "\\\n" " " text "${text}")
  string(STRIP "${text}" text)
  string(REPLACE "\n" ";" commands "${text}")
  foreach(command IN LISTS commands)
    separate_arguments(words UNIX_COMMAND "${command}")
    set(run "")
    foreach(word IN LISTS words)
      string(REPLACE "$HOME" "${DOCUMENTS_HOME}" word "${word}")
      string(REGEX REPLACE "^build/" "${DIR}/" word "${word}")
      string(REGEX REPLACE "^cmake$" "${CMAKE_COMMAND}" word "${word}")
      list(APPEND run "${word}")
    endforeach()
    run_checked(ignored "installing.md's ${command}" ${CMAKE_COMMAND} -E chdir "${TOOLS}" ${run})
  endforeach()
  # The same tools under a prefix that holds a space, for the Makefile.
  run_checked(ignored "install under a prefix with a space" ${CMAKE_COMMAND} --install "${DIR}/mine"
              --prefix "${DOCUMENTS_HOME}/with space/tresk-tools")
  return()
endif()
# The tree's own flags (a sanitizer build's object needs its runtime), and no module path
# from this machine's environment.
set(flags --unset=PKG_CONFIG_PATH "CFLAGS=${C_FLAGS}" "LDFLAGS=${C_FLAGS}")
setting(pkg_config_path "Make, Meson")

if(ROUTE STREQUAL "cmake")
  # The README's CMakeLists.txt with using.md's other forms, the tools' source tree in
  # tools/, and again the README's alone, with its other form, the installed package.
  fresh_project("${DIR}/src")
  readme_lists(lists)
  snippet(forms "${TOOLS}/doc/using.md" "# CMakeLists.txt, more forms")
  file(WRITE "${DIR}/src/CMakeLists.txt" "${lists}${forms}")
  file(CREATE_LINK "${TOOLS}" "${DIR}/src/tools" SYMBOLIC)
  run_checked(ignored "configure, the tools' source tree" ${CMAKE_COMMAND} -S "${DIR}/src"
              -B "${DIR}/source" -G "${QUICK_GENERATOR}" "-DCMAKE_C_FLAGS=${C_FLAGS}")
  run_checked(ignored "build, the tools' source tree" ${CMAKE_COMMAND} --build "${DIR}/source")
  check_library("${DIR}/source/libtresk.a" "${DIR}/src")

  foreach(table tresk_chartables.c tables/default.bin tables_utf8.c)
    if(NOT EXISTS "${DIR}/source/${table}")
      message(FATAL_ERROR "using.md's forms did not write ${table}")
    endif()
  endforeach()
  file(READ "${DIR}/source/tables_utf8.c" tables)
  expect("${tables}" "written in the C[.]UTF-8 locale" "the tables of LOCALE C.UTF-8")
  readme_lists(lists INSTALLED)
  file(WRITE "${DIR}/src/CMakeLists.txt" "${lists}")
  setting(prefix_path "CMake")
  run_checked(ignored "configure, the installed tools" ${CMAKE_COMMAND} -S "${DIR}/src"
              -B "${DIR}/installed" -G "${QUICK_GENERATOR}" "-DCMAKE_C_FLAGS=${C_FLAGS}" "${prefix_path}")
  run_checked(ignored "build, the installed tools" ${CMAKE_COMMAND} --build "${DIR}/installed")
  check_library("${DIR}/installed/libtresk.a" "${DIR}/src")

elseif(ROUTE STREQUAL "locale")
  # The README's locale of one's own, made as it says and used by its command line.
  file(MAKE_DIRECTORY "${DIR}")
  file(READ "${TOOLS}/README.md" readme)
  if(NOT readme MATCHES "`(mkdir [^`]*localedef [^`]*)` in a[ \n]+folder of your own, used with `([^`]*)`")
    message(FATAL_ERROR "README.md no longer says how to make a locale in a folder of one's own")
  endif()
  set(make_locale "${CMAKE_MATCH_1}")
  set(locpath "${CMAKE_MATCH_2}")
  if(NOT readme MATCHES "\n    (LC_ALL=[^ ]+) tresk_charsmith -L ([^\n]+)")
    message(FATAL_ERROR "README.md no longer shows a run with -L")
  endif()
  run_checked(ignored "the README's ${make_locale}" ${CMAKE_COMMAND} -E chdir "${DIR}" sh -c "${make_locale}")
  run_checked(ignored "the README's -L command" ${CMAKE_COMMAND} -E chdir "${DIR}" ${CMAKE_COMMAND} -E env
              "${locpath}" "${CMAKE_MATCH_1}" "${CHARSMITH}" -L "${CMAKE_MATCH_2}")
  file(READ "${DIR}/${CMAKE_MATCH_2}" tables)
  expect("${tables}" "written in the fr_FR[.]ISO-8859-1 locale" "the README's tables")
elseif(ROUTE STREQUAL "make")
  # using.md's Makefile; without PKG_CONFIG_PATH it says to set it, and where the prefix
  # holds a space, that make cannot carry it.
  fresh_project("${DIR}/src")
  snippet(text "${TOOLS}/doc/using.md" "# Makefile")
  file(WRITE "${DIR}/src/Makefile" "${text}")
  set(make ${CMAKE_COMMAND} -E chdir "${DIR}/src" ${CMAKE_COMMAND} -E env ${flags})
  expect_failure("make without PKG_CONFIG_PATH" "set PKG_CONFIG_PATH to <prefix>/lib/pkgconfig"
                 ${make} make)
  string(REPLACE "${DOCUMENTS_HOME}/" "${DOCUMENTS_HOME}/with space/" spaced "${pkg_config_path}")
  foreach(path IN ITEMS "${pkg_config_path}" "${spaced}")
    set(stops "")
    if(path MATCHES " ")
      set(stops "the tools' paths hold a space, which make cannot carry in a prerequisite")
    endif()
    expect_outcome("make with ${path}" "${stops}" ${make} "${path}" make)
  endforeach()
  if(NOT pkg_config_path MATCHES " ")
    check_library("${DIR}/src/libtresk.a" "${DIR}/src")
  endif()
elseif(ROUTE STREQUAL "meson")
  # using.md's meson.build, which must be the example's, in a copy of the example: from the
  # installed tools, and from their source tree as a subproject.
  example_snippet(text "${TOOLS}/doc/using.md" "# meson.build" "${SOURCE}/meson.build")
  file(COPY "${SOURCE}/" DESTINATION "${DIR}/src")
  file(WRITE "${DIR}/src/meson.build" "${text}")
  run_checked(ignored "meson setup, the installed tools" ${CMAKE_COMMAND} -E env ${flags}
              "${pkg_config_path}" ${MESON} setup --werror -Dtools=installed "${DIR}/installed" "${DIR}/src")
  run_checked(ignored "meson test, the installed tools" ${MESON} test -C "${DIR}/installed")
  check_library("${DIR}/installed/libtresk.a" "${DIR}/src/include")

  copy_tools("${TOOLS}" "${DIR}/src/subprojects/tresk_tools")
  run_checked(ignored "meson setup, the tools' source tree" ${CMAKE_COMMAND} -E env ${flags}
              ${MESON} setup "${DIR}/subproject" "${DIR}/src")
  run_checked(ignored "meson test, the tools' source tree" ${MESON} test -C "${DIR}/subproject")
  check_library("${DIR}/subproject/libtresk.a" "${DIR}/src/include")
  run_checked(output "second Meson build" ${MESON} compile -C "${DIR}/subproject")
  expect("${output}" "no work to do" "second Meson build")
elseif(ROUTE STREQUAL "conan")
  # A C library made from Conan's own template, with the tools added as using.md says and its
  # test_package, created by using.md's command lines as written (static, shared, AArch64 from
  # its profile) in a Conan home of the build tree's own, the tools' source in its tools/;
  # then the tools' packages moved to another home, where a library is built with them; and a
  # cross profile that asks for the program and names no C++ compiler, refused.
  set(lib "${DIR}/tresk")
  set(conan ${CMAKE_COMMAND} -E chdir "${lib}" ${CMAKE_COMMAND} -E env --unset=CC --unset=CXX "${CONAN}")
  foreach(home home moved)
    set(ENV{CONAN_HOME} "${DIR}/${home}")
    run_checked(ignored "conan profile detect" ${CONAN} profile detect)
    run_checked(ignored "conan remote remove" ${CONAN} remote remove "*")
    snippet(profile "${TOOLS}/doc/using.md" "# aarch64")
    file(WRITE "${DIR}/${home}/profiles/aarch64" "${profile}")
  endforeach()
  set(ENV{CONAN_HOME} "${DIR}/home")
  copy_tools("${TOOLS}" "${lib}/tools")
  run_checked(ignored "conan new cmake_lib" ${conan} new cmake_lib -d name=tresk -d version=1.0)

  # The template in C, as its user makes it: a C source, the README's internal header, and a
  # test_package program that reads the tables and calls the writer through the library.
  file(REMOVE "${lib}/src/tresk.cpp" "${lib}/test_package/src/example.cpp")
  file(WRITE "${lib}/include/tresk.h" "#include <stdint.h>
uint8_t tresk_lower(uint8_t c);
uint32_t tresk_utf32(uint32_t c, uint32_t *units);\n")
  file(WRITE "${lib}/src/tresk.c" "#include \"tresk.h\"\n#include \"tresk_internal.h\"
uint8_t tresk_lower(uint8_t c) { return PRIV(default_tables)[c]; }
uint32_t tresk_utf32(uint32_t c, uint32_t *units) { return PRIV(ord2utf_32)(c, units); }\n")
  file(WRITE "${lib}/test_package/src/example.c" "#include \"tresk.h\"
int main(void) {
  uint32_t unit = 0;
  return tresk_lower('A') == 'a' && tresk_utf32(0x10FFFF, &unit) == 1 && unit == 0x10FFFF ? 0 : 1;
}\n")
  snippet(header "${TOOLS}/README.md" "/* tresk_internal.h */")
  file(WRITE "${lib}/src/tresk_internal.h" "${header}")
  # Its CMakeLists.txt with the README's lines, and its recipe with using.md's.
  snippet(lines "${TOOLS}/doc/using.md" "# conanfile.py, the lines for the tools")
  # Its configure() lines go into the template's configure(), its other methods after it.
  string(FIND "${lines}" "\n\n" at)
  string(SUBSTRING "${lines}" 0 ${at} configure)
  string(REGEX REPLACE "^[^\n]*\n" "" configure "${configure}")
  string(SUBSTRING "${lines}" ${at} -1 methods)
  foreach(edit "CMakeLists.txt|project(tresk CXX)|project(tresk C)\nfind_package(TreskTools 1 CONFIG REQUIRED)"
               "CMakeLists.txt|add_library(tresk src/tresk.cpp)|add_library(tresk src/tresk.c tresk_chartables.c $<TARGET_OBJECTS:tresk::ord2utf32>)\ntarget_include_directories(tresk PRIVATE src)\ntresk_chartables(tresk_chartables.c TARGETS tresk)"
               "test_package/CMakeLists.txt|CXX)|C)" "test_package/CMakeLists.txt|example.cpp|example.c"
               "conanfile.py|rm_safe(\"fPIC\")\n|rm_safe(\"fPIC\")\n${configure}${methods}")
    string(REPLACE "|" ";" edit "${edit}")
    list(GET edit 0 file)
    list(GET edit 1 from)
    list(GET edit 2 to)
    file(READ "${lib}/${file}" text)
    string(FIND "${text}" "${from}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "Conan's template has no \"${from}\" in ${file}:\n${text}")
    endif()
    string(REPLACE "${from}" "${to}" text "${text}")
    file(WRITE "${lib}/${file}" "${text}")
  endforeach()

  # using.md's command lines; each library made has the shipped tables, written by the build
  # machine's program, the shared one exports no writer, and the AArch64 one is AArch64's.
  snippet(commands "${TOOLS}/doc/using.md" "# Conan, from the library's folder")
  string(REGEX REPLACE "\n$" "" commands "${commands}")
  string(REPLACE "\n" ";" commands "${commands}")
  foreach(command IN LISTS commands)
    separate_arguments(words UNIX_COMMAND "${command}")
    list(POP_FRONT words)
    run_checked(graph "${command}" ${conan} ${words} --format=json)
    if(NOT command MATCHES "create [.]")
      continue()
    endif()
    string(JSON id GET "${graph}" graph nodes 1 package_id)
    string(JSON package GET "${graph}" graph nodes 1 package_folder)
    run_checked(build "conan cache path" ${conan} cache path "tresk/1.0:${id}" --folder build)
    string(STRIP "${build}" build)
    files_differ(differ "${build}/build/Release/tresk_chartables.c" "${SOURCE}/tresk_chartables.c.dist")
    if(differ)
      message(FATAL_ERROR "\"${command}\" wrote other tables than the shipped ones")
    elseif(command MATCHES "shared=True")
      run_checked(exports "nm -D" ${NM} -D --defined-only "${package}/lib/libtresk.so")
      expect("${exports}" " T tresk_lower\n" "${command}: the library's exports")
      if(exports MATCHES "_tresk_ord2utf_32")
        message(FATAL_ERROR "${command}: the shared library exports the writer")
      endif()
    elseif(command MATCHES "aarch64")
      run_checked(header "readelf -h" "${READELF}" -hW "${package}/lib/libtresk.a")
      expect("${header}" "Machine: +AArch64" "${command}: the library")
    endif()
  endforeach()
  expect_failure("the program for a cross profile with no C++ compiler" "names no C[+][+] compiler for os=Linux arch=armv8"
                 ${conan} create tools -pr:h aarch64 -o "tresk-tools/*:charsmith=True" --build=missing)

  # The tools' packages, saved and restored in another home, name nothing of the first, and
  # the library is built there with them.
  run_checked(ignored "conan cache save" ${conan} cache save "tresk-tools/*:*" --file "${DIR}/tools.tgz")
  set(ENV{CONAN_HOME} "${DIR}/moved")
  run_checked(ignored "conan cache restore" ${conan} cache restore "${DIR}/tools.tgz")
  files_below(restored "${DIR}/moved/p")
  literal(first_home "${DIR}/home")
  foreach(file IN LISTS restored)
    file(STRINGS "${DIR}/moved/p/${file}" named REGEX "${first_home}")
    if(named)
      message(FATAL_ERROR "the package's ${file} names the home it was built in: ${named}")
    endif()
  endforeach()
  foreach(host default aarch64)
    run_checked(ignored "conan create in another home, ${host}" ${conan} create . -pr:h ${host}
                -pr:b default "--build=missing:tresk/*")
  endforeach()
elseif(ROUTE STREQUAL "zig")
  # The tools' build.zig: `zig build test` natively (the program as a command, its tables,
  # the files) and for AArch64 (the files); then using.md's build.zig and build.zig.zon
  # with the tools in tools/, natively, for AArch64 and for 64-bit Windows, with Zig's
  # caches in the build tree.
  if(NOT DEFINED ENV{ZIG_GLOBAL_CACHE_DIR})
    set(ENV{ZIG_GLOBAL_CACHE_DIR} "${TOOLS_BUILD}/zig-cache")
  endif()
  file(READ "${TOOLS}/build.zig.zon" zon)
  file(READ "${TOOLS}/CMakeLists.txt" lists)
  string(REGEX MATCH "project[(]tresk_tools VERSION ([0-9.]+)" ignored "${lists}")
  expect("${zon}" "\n    [.]version = \"${CMAKE_MATCH_1}\"," "build.zig.zon's version, that of CMakeLists.txt")
  foreach(target native aarch64-linux-gnu)
    run_checked(ignored "zig build test, ${target}" ${CMAKE_COMMAND} -E chdir "${TOOLS}" "${ZIG}" build test
                -Dtarget=${target} --cache-dir "${DIR}/tools-cache" --prefix "${DIR}/tools-out")
  endforeach()

  fresh_project("${DIR}/src")
  foreach(name build.zig build.zig.zon)
    snippet(text "${TOOLS}/doc/using.md" "// ${name}")
    file(WRITE "${DIR}/src/${name}" "${text}")
  endforeach()
  copy_tools("${TOOLS}" "${DIR}/src/tools")
  set(zig ${CMAKE_COMMAND} -E chdir "${DIR}/src" "${ZIG}" build --summary all)
  run_checked(ignored "zig build" ${zig} --prefix "${DIR}/native")
  check_library("${DIR}/native/lib/libtresk.a" "${DIR}/src")
  run_checked(output "second zig build" ${zig} --prefix "${DIR}/native")
  if(output MATCHES " success")
    message(FATAL_ERROR "a second zig build did some work:\n${output}")
  endif()
  # The library holds the target's objects: AArch64 ELF ones, 64-bit Windows' COFF ones.
  foreach(target aarch64-linux-gnu x86_64-windows-gnu)
    run_checked(ignored "zig build, ${target}" ${zig} -Dtarget=${target} --prefix "${DIR}/${target}")
  endforeach()
  run_checked(headers "readelf -h" "${READELF}" -hW "${DIR}/aarch64-linux-gnu/lib/libtresk.a")
  string(REGEX MATCHALL "Machine: +[^\n]*" machines "${headers}")
  if(NOT machines MATCHES "^Machine: +AArch64;Machine: +AArch64$")
    message(FATAL_ERROR "the AArch64 library holds ${machines}")
  endif()
  run_checked(formats "objdump -a" "${OBJDUMP}" -a "${DIR}/x86_64-windows-gnu/lib/tresk.lib")
  string(REGEX MATCHALL "file format [^\n]*" formats "${formats}")
  if(NOT formats MATCHES "^file format pe-x86-64;file format pe-x86-64$")
    message(FATAL_ERROR "the 64-bit Windows library holds ${formats}")
  endif()
  # Every tables file written is the shipped one: the build machine's program wrote them all.
  files_below(written "${DIR}/src/.zig-cache/o")
  list(FILTER written INCLUDE REGEX "/tresk_chartables[.]c$")
  if(NOT written)
    message(FATAL_ERROR "Zig's build wrote no tables in its cache")
  endif()
  foreach(file IN LISTS written)
    files_differ(differ "${DIR}/src/.zig-cache/o/${file}" "${SOURCE}/tresk_chartables.c.dist")
    if(differ)
      message(FATAL_ERROR "Zig's build wrote tables other than the shipped ones: ${file}")
    endif()
  endforeach()
endif()
