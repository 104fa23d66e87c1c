#!/bin/sh
# What a library's build pays for the tools: examples/library built in each route (source
# tree native, with the AArch64 emulator, with the host copy, from the installed package),
# the floor (the simplest C++ generator of the same tables, bench/floor_generator.cc, built
# and run by hand-written CMake) and a baseline that compiles a shipped tables file, under
# Ninja and Make, with no build type and with RelWithDebInfo. For each: the median CPU
# seconds (user and system, every process) of a clean configure and build, of a second
# build, and of a build after `touch charsmith/driver.cc` (the installed route installs the
# tools again first); the extra over the baseline of a clean and of a second build, and that
# extra as a ratio to the floor's; and whether the second build did any work, and whether
# after the touch the tables were written and compiled again. The compilers are CMake's
# defaults, or CC and CXX; ROUTES chooses routes (baseline and floor among them).
# EMCMAKE=yes builds for WebAssembly under emcmake: the floor's generator is built with em++
# and run under node, as is the program in the source and installed routes (the tools
# installed for Emscripten); host-copy builds a copy for this machine.
# CROSS=yes builds all of them for AArch64 Linux with no emulator, the floor's generator
# compiled by one call of the build machine's c++, against the host-copy route.
# ZIG=<zig> measures Zig's build system instead (see below).
# Usage: [CC=... CXX=...] [ROUTES="baseline floor source"] [EMCMAKE=yes | CROSS=yes | ZIG=zig]
#        bench/consumer.sh [runs, default 5]
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
set -eu
here=$(cd "$(dirname "$0")" && pwd)
runs=${1:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
command -v /usr/bin/time >/dev/null || { echo "bench: /usr/bin/time is not installed" >&2; exit 1; }

# A copy of the tools, whose source is touched instead of this tree's.
tools=$work/tools
mkdir -p "$tools"
cmake -DTOOLS="$here/.." -DTO="$tools" -P "$here/../tests/copy_tools.cmake"
cp -R "$here/../examples" "$here/../toolchains" "$tools/"

median() { sort -n | awk '{ v[NR] = $1 } END { printf "%.3f", (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2 }'; }
# Runs one command, appends its CPU seconds to the file $1 and keeps its output in $work/out.
timed() {
  into=$1
  shift
  /usr/bin/time -o "$work/time" -f '%U %S' "$@" >"$work/out" 2>&1 || { cat "$work/out" >&2; exit 1; }
  awk '{ printf "%.3f\n", $1 + $2 }' "$work/time" >>"$into"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "-" }'; }
extra() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a - b }'; }
# The baseline's medians and the floor's extras over them; then a route's medians and extras.
floor_figures() {
  base_clean=$(median <"$work/baseline.clean")
  base_noop=$(median <"$work/baseline.noop")
  floor_clean=$(extra "$(median <"$work/floor.clean")" "$base_clean")
  floor_noop=$(extra "$(median <"$work/floor.noop")" "$base_noop")
}
route_figures() {  # route_figures <route>
  clean=$(median <"$work/$1.clean")
  noop=$(median <"$work/$1.noop")
  x_clean=$(extra "$clean" "$base_clean")
  x_noop=$(extra "$noop" "$base_noop")
}

# ZIG=<zig>: Zig's build system instead, with the tools as a path dependency: the baseline
# and the floor as build.zig files of their own, and using.md's build.zig and build.zig.zon
# (route tools); each clean build has the library's cache cold and Zig's own libraries (libc,
# libc++, its runtimes) warm, built beforehand by a build of the floor's generator with
# other bytes.
if [ -n "${ZIG:-}" ]; then
  snippet() { awk -v first="$1" '$0 == first { f = 1; next } /^```/ { f = 0 } f' "$here/../doc/using.md"; }
  library='    const tools = b.dependency("tresk_tools", .{ .target = target, .optimize = optimize });
    const tresk = b.addLibrary(.{
        .name = "tresk",
        .root_module = b.createModule(.{ .target = target, .optimize = optimize, .link_libc = true }),
    });
    tresk.root_module.addIncludePath(b.path("."));
    tresk.root_module.addCSourceFile(.{ .file = tables });
    tresk.root_module.addObject(tools.artifact("tresk_ord2utf32"));
    b.installArtifact(tresk);'
  header='const std = @import("std");
pub fn build(b: *std.Build) void {
    const target = b.standardTargetOptions(.{});
    const optimize = b.standardOptimizeOption(.{});'
  for project in baseline floor tools warm; do
    mkdir -p "$work/zig-$project"
    ln -s "$tools" "$work/zig-$project/tools"
    cp "$tools/examples/library/include/tresk_internal.h" "$here/floor_generator.cc" "$work/zig-$project/"
    snippet '// build.zig.zon' >"$work/zig-$project/build.zig.zon"
  done
  echo '// warm' >>"$work/zig-warm/floor_generator.cc"
  cp "$tools/examples/library/tresk_chartables.c.dist" "$work/zig-baseline/tresk_chartables.c"
  printf '%s\n    const tables = b.path("tresk_chartables.c");\n%s\n}\n' "$header" "$library" \
    >"$work/zig-baseline/build.zig"
  for project in floor warm; do
    printf '%s\n%s\n%s\n}\n' "$header" '    const floor = b.addExecutable(.{
        .name = "floor_generator",
        .root_module = b.createModule(.{ .target = b.graph.host, .link_libcpp = true }),
    });
    floor.root_module.addCSourceFile(.{ .file = b.path("floor_generator.cc"), .flags = &.{"-std=c++20"} });
    const tables = b.addRunArtifact(floor).addOutputFileArg("tresk_chartables.c");' "$library" \
      >"$work/zig-$project/build.zig"
  done
  snippet '// build.zig' >"$work/zig-tools/build.zig"
  (cd "$work/zig-warm" && "$ZIG" build --global-cache-dir "$work/zig-warm-cache" >/dev/null)
  routes="baseline floor tools"
  for route in $routes; do : >"$work/$route.clean"; : >"$work/$route.noop"; done
  i=0
  while [ $i -lt "$runs" ]; do
    for route in $routes; do
      rm -rf "$work/zig-cache" "$work/zig-$route/.zig-cache" "$work/zig-$route/zig-out"
      cp -R "$work/zig-warm-cache" "$work/zig-cache"
      zig_build="cd '$work/zig-$route' && '$ZIG' build --global-cache-dir '$work/zig-cache'"
      timed "$work/$route.clean" sh -c "$zig_build"
      timed "$work/$route.noop" sh -c "$zig_build"
    done
    i=$((i + 1))
  done
  floor_figures
  printf '%-10s %6s %6s %6s %6s %6s %6s\n' route clean extra ratio no-op extra ratio
  for route in $routes; do
    route_figures "$route"
    printf '%-10s %6s %6s %6s %6s %6s %6s\n' "$route" "$clean" "$x_clean" \
      "$(ratio "$x_clean" "$floor_clean")" "$noop" "$x_noop" "$(ratio "$x_noop" "$floor_noop")"
  done
  exit 0
fi
cross="-DCMAKE_TOOLCHAIN_FILE=$tools/toolchains/cross-linux-gnu.cmake -DTRESK_TARGET_TRIPLE=aarch64-linux-gnu"
have_cross=yes
command -v aarch64-linux-gnu-g++ >/dev/null && command -v qemu-aarch64 >/dev/null || have_cross=no
configure=cmake
target=""
if [ "${EMCMAKE:-}" = yes ]; then
  # node itself as the emulator: Debian's emcmake passes node 20 a flag that it refuses.
  configure="emcmake cmake"
  target=-DCMAKE_CROSSCOMPILING_EMULATOR=node
  cross="$target"
  have_cross=no
  export NODE_PATH=${NODE_PATH:-/usr/share/nodejs} NODE_OPTIONS=${NODE_OPTIONS:---no-experimental-fetch}
elif [ "${CROSS:-}" = yes ]; then
  target="$cross -DCMAKE_CROSSCOMPILING_EMULATOR="
  ROUTES=${ROUTES:-"baseline floor host-copy"}
fi

# The installed package.
$configure -S "$tools" -B "$work/tools-build" $target -DCMAKE_BUILD_TYPE=Release -DTRESK_BUILD_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX="$work/prefix" >/dev/null
install_tools() {
  cmake --build "$work/tools-build" >/dev/null && cmake --install "$work/tools-build" >/dev/null
}
install_tools
# named whole: a cross toolchain such as Emscripten's looks for packages in its root alone
package=$(dirname "$(find "$work/prefix" -name TreskToolsConfig.cmake)")

# The baseline: the example's libraries and check program from a shipped tables file. The
# floor: the same, the tables written by the floor generator.
for project in baseline floor; do
  mkdir -p "$work/$project"
  cp -R "$tools/examples/library/include" "$tools/examples/library/example_check.c" \
    "$tools/ord2utf/ord2utf32.c" "$here/floor_generator.cc" "$work/$project/"
done
cp "$tools/examples/library/tresk_chartables.c.dist" "$work/baseline/tresk_chartables.c"
libraries='include_directories(include)
add_library(ord2utf32 OBJECT ord2utf32.c)
set_target_properties(ord2utf32 PROPERTIES POSITION_INDEPENDENT_CODE ON)
add_library(example_tresk STATIC ${tables} $<TARGET_OBJECTS:ord2utf32>)
add_library(example_tresk_shared SHARED ${tables} $<TARGET_OBJECTS:ord2utf32>)
add_library(example_tresk32 STATIC ${tables} $<TARGET_OBJECTS:ord2utf32>)
add_executable(example_check example_check.c)
target_link_libraries(example_check PRIVATE example_tresk)
if(EMSCRIPTEN)
  target_link_options(example_check PRIVATE -sNODERAWFS=1 -sEXIT_RUNTIME=1)
endif()'
cat >"$work/baseline/CMakeLists.txt" <<END
cmake_minimum_required(VERSION 3.16)
project(baseline LANGUAGES C)
set(tables tresk_chartables.c)
$libraries
END
# The floor's generator: built by CMake, and run through the emulator; with CROSS, for the
# build machine by one call of its c++, as SQLite builds its tools.
generator=floor_generator
make_generator='enable_language(CXX)
add_executable(floor_generator floor_generator.cc)
if(EMSCRIPTEN)
  target_link_options(floor_generator PRIVATE -sNODERAWFS=1)
endif()'
run_generator='${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:floor_generator>'
if [ "${CROSS:-}" = yes ]; then
  generator='${CMAKE_CURRENT_BINARY_DIR}/floor_generator'
  make_generator="add_custom_command(OUTPUT $generator COMMAND c++ -o $generator
                   \${CMAKE_CURRENT_SOURCE_DIR}/floor_generator.cc DEPENDS floor_generator.cc)"
  run_generator=$generator
fi
cat >"$work/floor/CMakeLists.txt" <<END
cmake_minimum_required(VERSION 3.16)
project(floor LANGUAGES C)
$make_generator
set(tables \${CMAKE_CURRENT_BINARY_DIR}/tresk_chartables.c)
file(MAKE_DIRECTORY \${CMAKE_CURRENT_BINARY_DIR}/check)
add_custom_command(OUTPUT \${tables} COMMAND $generator \${tables} DEPENDS $generator)
add_custom_command(OUTPUT check/tables.bin COMMAND $generator -b check/tables.bin
                   DEPENDS $generator)
add_custom_command(OUTPUT check/c.bin COMMAND \${CMAKE_COMMAND} -E env LC_ALL=C
                   $run_generator -L -b check/c.bin DEPENDS $generator)
add_custom_target(tables ALL DEPENDS \${tables} check/tables.bin check/c.bin)
$libraries
foreach(target example_tresk example_tresk_shared example_tresk32)
  add_dependencies(\${target} tables)
endforeach()
END

routes="baseline floor source"
[ $have_cross = yes ] && routes="$routes emulator"
[ $have_cross = yes ] || [ "$configure" != cmake ] && routes="$routes host-copy"
routes=${ROUTES:-"$routes installed"}
# The routes take turns, run after run, so that the machine's drift reaches them alike.
for type in None RelWithDebInfo; do
  echo "build type: $type"
  printf '%-10s %-5s %6s %6s %6s %6s %6s %6s %6s %-3s %-3s %-3s\n' route gen clean extra \
    ratio no-op extra ratio touch ran wrote cc
  for gen in Ninja "Unix Makefiles"; do
    short=$(echo "$gen" | sed 's/Unix Makefiles/Make/')
    for route in $routes; do
      : >"$work/$route.clean"; : >"$work/$route.noop"; : >"$work/$route.touch"
      echo no no no >"$work/$route.seen"
    done
    i=0
    while [ $i -lt "$runs" ]; do
      for route in $routes; do
        case $route in
          baseline | floor) src=$work/$route; opts="$target" ;;
          source) src=$tools/examples/library; opts="-DTRESK_TOOLS_DIR=$tools -DREBUILD_CHARTABLES=ON $target" ;;
          emulator)
            src=$tools/examples/library; opts="-DTRESK_TOOLS_DIR=$tools -DREBUILD_CHARTABLES=ON $cross" ;;
          host-copy)
            src=$tools/examples/library
            opts="-DTRESK_TOOLS_DIR=$tools -DREBUILD_CHARTABLES=ON $cross -DCMAKE_CROSSCOMPILING_EMULATOR=" ;;
          installed)
            src=$tools/examples/library
            opts="-DTRESK_TOOLS_DIR= -DREBUILD_CHARTABLES=ON -DTreskTools_DIR=$package $target" ;;
        esac
        [ "$type" = None ] || opts="$opts -DCMAKE_BUILD_TYPE=$type"
        build=$work/build
        read -r rebuilt written recompiled <"$work/$route.seen"
        rm -rf "$build"
        # shellcheck disable=SC2086
        timed "$work/$route.clean" sh -c "$configure -S '$src' -B '$build' -G '$gen' $opts && cmake --build '$build'"
        for noop in 1 2 3; do  # a tenth of a second under Make: three to a run
          timed "$work/$route.noop" cmake --build "$build"
          grep -Eq 'Building|Linking|Writing|Configuring' "$work/out" && rebuilt=yes
        done
        touch "$tools/charsmith/driver.cc"
        [ $route = installed ] && install_tools
        timed "$work/$route.touch" cmake --build "$build"
        grep -q 'Writing character tables tresk_chartables\.c' "$work/out" && written=yes
        grep -q 'tresk_chartables\.c\.o' "$work/out" && recompiled=yes
        echo "$rebuilt $written $recompiled" >"$work/$route.seen"
      done
      i=$((i + 1))
    done
    floor_figures
    for route in $routes; do
      route_figures "$route"
      read -r rebuilt written recompiled <"$work/$route.seen"
      printf '%-10s %-5s %6s %6s %6s %6s %6s %6s %6s %-3s %-3s %-3s\n' "$route" "$short" \
        "$clean" "$x_clean" "$(ratio "$x_clean" "$floor_clean")" "$noop" "$x_noop" \
        "$(ratio "$x_noop" "$floor_noop")" "$(median <"$work/$route.touch")" "$rebuilt" \
        "$written" "$recompiled"
    done
  done
done
