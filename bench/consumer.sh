#!/bin/sh
# What a library's build pays for the tools: examples/library built in each route (source
# tree native, with the AArch64 emulator, with the host copy, from the installed package)
# and a baseline that compiles a shipped tables file, under Ninja and Make. For each: the
# median seconds of a clean configure and build, of a second build, and of a build after
# `touch charsmith/driver.cc` (the installed route installs the tools again first); and
# whether the second build did any work, and whether after the touch the tables were
# written and compiled again. Usage: bench/consumer.sh [runs, default 5]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
runs=${1:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A copy of the tools, whose source is touched instead of this tree's.
tools=$work/tools
mkdir -p "$tools"
(cd "$here/.." && tar cf - CMakeLists.txt charsmith cmake doc examples m4 ord2utf) | tar xf - -C "$tools"
cross="-DCMAKE_TOOLCHAIN_FILE=$tools/cmake/cross-linux-gnu.cmake -DTRESK_TARGET_TRIPLE=aarch64-linux-gnu"
have_cross=yes
command -v aarch64-linux-gnu-g++ >/dev/null && command -v qemu-aarch64 >/dev/null || have_cross=no

# The installed package, and the baseline: the example's libraries from a shipped tables file.
cmake -S "$tools" -B "$work/tools-build" -DCMAKE_BUILD_TYPE=Release -DTRESK_BUILD_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX="$work/prefix" >/dev/null
install_tools() {
  cmake --build "$work/tools-build" >/dev/null && cmake --install "$work/tools-build" >/dev/null
}
install_tools
mkdir -p "$work/baseline"
cp "$tools/examples/library/tresk_chartables.c.dist" "$work/baseline/tresk_chartables.c"
cp -R "$tools/examples/library/include" "$tools/examples/library/example_check.c" \
  "$tools/ord2utf/ord2utf32.c" "$work/baseline/"
cat >"$work/baseline/CMakeLists.txt" <<'EOF'
cmake_minimum_required(VERSION 3.16)
project(baseline LANGUAGES C)
include_directories(include)
add_library(example_tresk STATIC tresk_chartables.c ord2utf32.c)
add_library(example_tresk_shared SHARED tresk_chartables.c ord2utf32.c)
add_library(example_tresk32 STATIC tresk_chartables.c ord2utf32.c)
add_executable(example_check example_check.c)
target_link_libraries(example_check PRIVATE example_tresk)
EOF

now() { date +%s.%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { printf "%.3f", (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2 }'; }
# Runs one command, appends its seconds to the file $1 and keeps its output in $work/out.
timed() {
  into=$1
  shift
  start=$(now)
  "$@" >"$work/out" 2>&1 || { cat "$work/out" >&2; exit 1; }
  echo "$(now) $start" | awk '{ printf "%.3f\n", $1 - $2 }' >>"$into"
}

printf '%-10s %-6s %8s %8s %-8s %8s %-8s %-10s\n' route gen clean no-op rebuilt touch written recompiled
for gen in Ninja "Unix Makefiles"; do
  short=$(echo "$gen" | sed 's/Unix Makefiles/Make/')
  for route in source emulator host-copy installed baseline; do
    case $route in
      source) src=$tools/examples/library; opts="-DTRESK_TOOLS_DIR=$tools" ;;
      emulator) src=$tools/examples/library; opts="-DTRESK_TOOLS_DIR=$tools $cross" ;;
      host-copy)
        src=$tools/examples/library
        opts="-DTRESK_TOOLS_DIR=$tools $cross -DCMAKE_CROSSCOMPILING_EMULATOR=" ;;
      installed) src=$tools/examples/library; opts="-DTRESK_TOOLS_DIR= -DCMAKE_PREFIX_PATH=$work/prefix" ;;
      baseline) src=$work/baseline; opts="" ;;
    esac
    case $route in emulator | host-copy) [ $have_cross = yes ] || continue ;; esac
    build=$work/build
    : >"$work/clean"; : >"$work/noop"; : >"$work/touch"
    rebuilt=no; written=no; recompiled=no
    i=0
    while [ $i -lt "$runs" ]; do
      rm -rf "$build"
      # shellcheck disable=SC2086
      timed "$work/clean" sh -c "cmake -S '$src' -B '$build' -G '$gen' $opts && cmake --build '$build'"
      timed "$work/noop" cmake --build "$build"
      grep -Eq 'Building|Linking|Writing|Configuring' "$work/out" && rebuilt=yes
      touch "$tools/charsmith/driver.cc"
      [ $route = installed ] && install_tools
      timed "$work/touch" cmake --build "$build"
      grep -q 'Writing character tables tresk_chartables\.c' "$work/out" && written=yes
      grep -q 'tresk_chartables\.c\.o' "$work/out" && recompiled=yes
      i=$((i + 1))
    done
    printf '%-10s %-6s %8s %8s %-8s %8s %-8s %-10s\n' "$route" "$short" "$(median <"$work/clean")" \
      "$(median <"$work/noop")" "$rebuilt" "$(median <"$work/touch")" "$written" "$recompiled"
  done
done
