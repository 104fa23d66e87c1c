# tresk_charsmith as a command, run as a build runs it (through the emulator, if any) and
# judged from outside, in DIR, in three parts that need different things of this machine:
#   cmake -DDIR=... [-DPART=device|locale] -P command_line.cmake
# By default: every message and status, the files written and kept, writes cut short, the
# environment's locale, and in a cross build the outputs of the build machine's copy. With
# PART=device, a full device's, where a node of one's own can be made (as root). With
# PART=locale, the 8-bit locale's, the generated C through the build machine's compiler
# BUILD_CC; LOCALES holds that locale for the target (HOST_LOCALES for the copy, each in its
# machine's byte order).
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
cmake_policy(VERSION 3.16...4.3)  # quoted words are words, not variables
include("${CMAKE_CURRENT_LIST_DIR}/checks.cmake")

set(emulator ${EMULATOR})
file(REMOVE_RECURSE "${DIR}")
file(MAKE_DIRECTORY "${DIR}")
# The names passed reach the program in the environment's own encoding, which an emulator
# reads (wine by LC_CTYPE): LC_ALL is set only for the runs with -L, which must not depend
# on whatever locale this machine's environment names.
unset(ENV{LC_ALL})
set(turkish tr_TR.ISO-8859-9)
# What differs by platform: WebAssembly's C libraries take any locale name (and classify as
# in "C"); Windows has no links and no file size limit, and its C library takes the user's
# default locale when LC_ALL is unset, whatever LANG says.
set(any_locale OFF)
if(SYSTEM MATCHES "^(Emscripten|WASI)$")
  set(any_locale ON)
endif()
set(windows OFF)
if(SYSTEM STREQUAL "Windows")
  set(windows ON)
endif()

# charsmith(<result var> <args>...): runs the program; <var> holds "status N", <var>_err
# what it wrote to stderr (an emulator's text streams may end lines with \r\n), and fails
# the check if it wrote anything to stdout.
function(charsmith var)
  execute_process(COMMAND ${emulator} "${CHARSMITH}" ${ARGN}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REPLACE "\r\n" "\n" err "${err}")
  if(NOT out STREQUAL "")
    message(SEND_ERROR "'${ARGN}' wrote to standard output: [${out}]")
  endif()
  set(${var} "status ${status}" PARENT_SCOPE)
  set(${var}_err "${err}" PARENT_SCOPE)
endfunction()

# check_run(<status> <size> <stderr> <args>...): runs the program in a fresh folder, which
# '@' stands for in the arguments and the message, and checks its status and message, and
# what it wrote: with a size, the last argument is a file of that size; with "-", no
# argument became a file.
function(check_run status size err)
  set(scratch "${DIR}/run")
  file(REMOVE_RECURSE "${scratch}")
  file(MAKE_DIRECTORY "${scratch}")
  set(args "")
  foreach(arg IN LISTS ARGN)
    string(REPLACE "@" "${scratch}" arg "${arg}")
    list(APPEND args "${arg}")
  endforeach()
  string(REPLACE "@" "${scratch}" err "${err}")
  charsmith(got ${args})
  if(NOT got STREQUAL "status ${status}" OR NOT got_err STREQUAL err)
    message(SEND_ERROR "'${ARGN}': expected status ${status}, stderr [${err}]\n"
                       "got ${got}, stderr [${got_err}]")
  endif()
  foreach(arg IN LISTS ARGN)
    string(REPLACE "@" "${scratch}" path "${arg}")
    if(size STREQUAL "-" AND arg MATCHES "^@" AND EXISTS "${path}")
      message(SEND_ERROR "'${ARGN}' created ${path}")
    endif()
  endforeach()
  if(NOT size STREQUAL "-")
    set(written 0)
    if(EXISTS "${path}")
      file(SIZE "${path}" written)
    endif()
    if(NOT written EQUAL size)
      message(SEND_ERROR "'${ARGN}' wrote ${written} bytes to ${path}, not ${size}")
    endif()
  endif()
endfunction()

# with_locale(<locale> <locales folder>): the environment that selects the locale.
macro(with_locale locale folder)
  set(ENV{LC_ALL} "${locale}")
  set(ENV{LOCPATH} "${folder}")
endmacro()

# compare_with_copy(<locale>): in a cross build, the outputs of the build machine's copy
# and of the program are the same, source and binary.
function(compare_with_copy locale)
  if(NOT CROSS OR NOT BUILD_MACHINE_CHARSMITH)
    return()
  endif()
  foreach(options "-L" "-L;-b")
    with_locale("${locale}" "${HOST_LOCALES}")
    run_checked(ignored "the build machine's copy" "${BUILD_MACHINE_CHARSMITH}" ${options} "${DIR}/host.out")
    with_locale("${locale}" "${LOCALES}")
    charsmith(got ${options} "${DIR}/target.out")
    files_differ(differ "${DIR}/host.out" "${DIR}/target.out")
    if(differ)
      message(SEND_ERROR "the build machine's copy and the program differ in ${locale} (${options})")
    endif()
  endforeach()
  set(ENV{LC_ALL} C)
endfunction()

if(PART STREQUAL "device")
  # A full device: the failure is reported and the node kept (the output may be a device, and
  # the program may run as root). The node is this check's own.
  set(full "${DIR}/full")
  execute_process(COMMAND mknod "${full}" c 1 7 RESULT_VARIABLE no_node ERROR_QUIET)
  if(no_node)
    message("was not run: no device node can be made here; run the suite as root")
    return()
  endif()
  check_run(1 - "tresk_charsmith: fwrite() returned wrong length 0 instead of 1088\n" -b "${full}")
  check_run(1 - "tresk_charsmith: failed to write ${full}\n" "${full}")
  execute_process(COMMAND test -c "${full}" RESULT_VARIABLE removed)
  if(removed)
    message(SEND_ERROR "the device node ${full} was removed")
  endif()
  return()
elseif(PART STREQUAL "locale")
  # The 8-bit locale's source, compiled by a real compiler with a stand-in for the library's
  # header, holds exactly the binary output of the same locale, which is not that of "C";
  # so it does when the locale's name would break out of its comment. The C library accepts
  # that name when LOCPATH holds a folder of that name whose locale has the name's code set.
  set(hostile "/x*/;int evil;/*/${turkish}")
  execute_process(COMMAND mkdir -p "${DIR}/hostile${hostile}")
  execute_process(COMMAND cp -R "${LOCALES}/${turkish}/." "${DIR}/hostile${hostile}")
  file(WRITE "${DIR}/tresk_internal.h" "#include <stdint.h>\n#define PRIV(name) _tresk_##name\n")
  file(WRITE "${DIR}/dump.c" [[
#include <stdio.h>
#include "tables.c"
_Static_assert(sizeof PRIV(default_tables) == 1088, "size");
/* Clashes with anything a locale name might inject. */
static char evil __attribute__((unused));
int main(int argc, char **argv) {
  FILE *f = argc == 2 ? fopen(argv[1], "wb") : NULL;
  if (!f) return 2;
  fwrite(PRIV(default_tables), 1, sizeof PRIV(default_tables), f);
  return fclose(f) != 0;
}
]])
  foreach(locale IN ITEMS "${turkish}" "${hostile}")
    set(folder "${LOCALES}")
    if(locale STREQUAL hostile)
      set(folder "${DIR}/hostile")
    endif()
    with_locale("${locale}" "${folder}")
    charsmith(source -L "${DIR}/tables.c")
    charsmith(binary -L -b "${DIR}/tables.bin")
    set(ENV{LC_ALL} C)
    run_checked(ignored "compile the ${locale} tables" "${BUILD_CC}" -Wall -Werror -o "${DIR}/dump"
                "${DIR}/dump.c")
    run_checked(ignored "the compiled ${locale} tables" "${DIR}/dump" "${DIR}/dumped.bin")
    files_differ(differ "${DIR}/dumped.bin" "${DIR}/tables.bin")
    if(differ OR NOT "${source} ${binary}" STREQUAL "status 0 status 0")
      message(SEND_ERROR "the ${locale} source does not compile to its binary output")
    endif()
  endforeach()
  charsmith(ignored -b "${DIR}/c.bin")
  files_differ(differ "${DIR}/c.bin" "${DIR}/tables.bin")
  if(NOT differ)
    message(SEND_ERROR "the 8-bit locale's tables are those of \"C\"")
  endif()
  file(READ "${DIR}/tables.c" text)
  string(FIND "${text}" "written in the /x*\\/;int evil;/\\*\\/${turkish} locale. */\n" at)
  if(at EQUAL -1)
    message(SEND_ERROR "the hostile locale name is not escaped in its comment")
  endif()
  compare_with_copy("${turkish}")
  return()
endif()

set(one_file "tresk_charsmith: one filename argument is required\n")
set(usage "Usage: tresk_charsmith [options] <output file>
  -b    Write output in binary (default is source code)
  -L    Use locale from LC_ALL (default is \"C\" locale)\n")
set(unknown "tresk_charsmith: unrecognized option")
set(no_open "tresk_charsmith: failed to open")
#         status size stderr                             arguments
check_run(1      -    "${one_file}")
check_run(1      -    "${one_file}"                      -b)
check_run(1      -    "${one_file}"                      @/out -b)
check_run(1      -    "${one_file}"                      @/out @/other)
check_run(1      -    "${unknown} -x\n"                  -x @/out)
check_run(1      -    "${unknown} -\n"                   - @/out)
check_run(1      -    "${unknown} --\n"                  -- @/out)
check_run(1      -    "${unknown} -bL\n"                 -bL @/out)
check_run(1      -    "${unknown} -B\n"                  -B @/out)
check_run(1      -    "${unknown} -y\n"                  -b -y @/out)
check_run(0      -    "${usage}"                         -help)
check_run(0      -    "${usage}"                         --help @/out)
check_run(0      -    "${usage}"                         -b -help @/out)
check_run(1      -    "${no_open} @/no/such/dir for writing\n" @/no/such/dir)
check_run(1      -    "${no_open} @/no dir/x.c for writing\n"  -b "@/no dir/x.c")
check_run(0      8081 ""                                 @/out)
check_run(0      1088 ""                                 -b @/out)
check_run(0      1088 ""                                 -b -b @/out)
# Names beyond an 8-bit code page, which Windows passes whole only in UTF-8: the file is
# looked for here, under the name the build asked for.
check_run(0      8081 ""                                 "@/表 x.c")
check_run(0      1088 ""                                 -b "@/😀.bin")
check_run(1      -    "${no_open} @/表/x.c for writing\n" "@/表/x.c")

set(ENV{LC_ALL} C)
check_run(1 - "${one_file}" -L)
check_run(1 - "${no_open} @/no dir/x.c for writing\n" -L -b "@/no dir/x.c")
# The environment's locale: an unknown one is refused before anything is written.
set(ENV{LC_ALL} xx_NOWHERE.bogus)
if(any_locale)
  check_run(0 8096 "" -L @/out)  # the name's 16 bytes in the locale line, for "C"'s one
else()
  check_run(1 - "tresk_charsmith: setlocale() failed\n" -L @/out)
endif()
# Without -L the environment is not consulted.
charsmith(got -b "${DIR}/c.bin")
set(ENV{LC_ALL} C)
charsmith(got -L -b "${DIR}/l.bin")
run_checked(ignored "-b alike with and without -L in \"C\"" ${CMAKE_COMMAND} -E compare_files
            "${DIR}/c.bin" "${DIR}/l.bin")
# LC_ALL unset: the locale line says "(null)", and the tables are those of "C". Every
# category then comes from LANG, so none may name a locale missing here.
unset(ENV{LC_ALL})
foreach(category CTYPE COLLATE MESSAGES MONETARY NUMERIC TIME PAPER NAME ADDRESS TELEPHONE
                 MEASUREMENT IDENTIFICATION)
  unset(ENV{LC_${category}})
endforeach()
set(ENV{LANG} C)
charsmith(got -L "${DIR}/null.c")
set(ENV{LC_ALL} C)
file(READ "${DIR}/null.c" text)
string(FIND "${text}" "\n/* This set of tables was written in the (null) locale. */\n" at)
string(LENGTH "${text}" length)
# "C" would be one byte, "(null)" is six.
if(NOT got STREQUAL "status 0" OR at EQUAL -1 OR (NOT windows AND NOT length EQUAL 8086))
  message(SEND_ERROR "-L with LC_ALL unset: ${got}, ${length} bytes, ${got_err}")
endif()

# A write that gets partway (a file size limit of one 1,024-byte block) to a file that held
# something before: no partial tables stay under any name; a link stays, pointing at an
# emptied file, and a regular file is removed.
if(NOT windows)
  set(target "${DIR}/tables")
  foreach(link OFF ON)
    foreach(binary OFF ON)
      set(out "${target}")
      file(WRITE "${target}" "previous content")
      if(link)
        set(out "${DIR}/link")
        file(CREATE_LINK "${target}" "${out}" SYMBOLIC)
      endif()
      set(expected "failed to write ${out}")
      set(options "")
      if(binary)
        set(expected "fwrite() returned wrong length 1024 instead of 1088")
        set(options -b)
      endif()
      execute_process(COMMAND sh -c "ulimit -f 2 && trap '' XFSZ && exec \"$@\"" sh
                              ${emulator} "${CHARSMITH}" ${options} "${out}"
                      RESULT_VARIABLE status ERROR_VARIABLE err)
      set(left "")
      if(EXISTS "${target}")
        file(READ "${target}" left)
      endif()
      if(NOT status EQUAL 1 OR NOT err STREQUAL "tresk_charsmith: ${expected}\n"
         OR NOT left STREQUAL "" OR (link AND NOT IS_SYMLINK "${out}")
         OR (NOT link AND EXISTS "${target}"))
        message(SEND_ERROR "a write cut short (${options} ${out}): status ${status}, [${err}], left [${left}]")
      endif()
      file(REMOVE "${target}" "${out}")
    endforeach()
  endforeach()
endif()
compare_with_copy(C)
