#!/bin/sh
# Counts the instructions of tresk_charsmith runs against a floor program that only opens,
# writes and closes a file (valgrind's callgrind), and the write calls of a source run
# (strace), with the goals that guard against an accident, such as a write per value.
# Usage: bench/run.sh [path/to/tresk_charsmith]
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
set -eu
here=$(cd "$(dirname "$0")" && pwd)
program=${1:-$here/../build/default/tresk_charsmith}
[ -x "$program" ] || { echo "bench: no program at $program; build it first" >&2; exit 1; }
for tool in valgrind strace cc; do
  command -v $tool >/dev/null || { echo "bench: $tool is not installed" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -static -o "$work/floor" "$here/floor.c"

# Instructions executed by one run of the given command, from callgrind's totals.
instructions() {
  valgrind --tool=callgrind --callgrind-out-file="$work/cg.out" "$@" >/dev/null 2>&1
  sed -n 's/^totals: *\([0-9]*\).*/\1/p' "$work/cg.out"
}

floor=$(instructions "$work/floor" "$work/floor.out")
source=$(instructions "$program" "$work/tables.c")
binary=$(instructions "$program" -b "$work/tables.bin")
strace -f -e trace=write -o "$work/strace.out" "$program" "$work/tables.c"
writes=$(grep -c 'write(' "$work/strace.out")

ratio() { awk -v a="$1" -v b="$floor" 'BEGIN { printf "%.2f", a / b }'; }
printf '%-14s %10s %8s %8s\n' run instructions ratio goal
printf '%-14s %10d %8s %8s\n' floor "$floor" 1.00 -
printf '%-14s %10d %8s %8s\n' source "$source" "$(ratio "$source")" '<= 10.00'
printf '%-14s %10d %8s %8s\n' binary "$binary" "$(ratio "$binary")" '<= 3.00'
printf '%-14s %10d %8s %8s\n' 'source writes' "$writes" - 1
