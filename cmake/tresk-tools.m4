# tresk-tools.m4: finds the TRESK build tools for a configure script.   -*- Autoconf -*-
# serial 4
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors

# TRESK_PROG_CHARSMITH([ACTION-IF-FOUND], [ACTION-IF-NOT-FOUND])
# --------------------------------------------------------------
# Substitutes CHARSMITH, a command that runs tresk_charsmith on the build machine, and
# TRESK_ORD2UTF32, the target's UTF-32 writer object from the pkg-config module
# tresk-tools. Both are precious: a value given to configure wins, and CHARSMITH may be an
# emulator's command line. Otherwise CHARSMITH is, natively, the program that the module
# names; when cross-compiling, that program is the target's and cannot run here, so it is
# tresk_charsmith from the PATH, as distributions lay out cross builds (the build
# machine's tools on the PATH, the target's files in its root). Whichever it is, it must
# run (--help exits 0) and write tables, and the target's module must be found.
# ACTION-IF-NOT-FOUND defaults to an error that says which is missing.
#
# A found program is a path, and is quoted for the shell; CHARSMITH is then written for
# make, which reads '$' and '#' itself, so that the recipe `$(CHARSMITH) $@` runs it as
# written. TRESK_ORD2UTF32 is both a prerequisite and a word of a recipe, which no quoting
# serves at once: a path with characters that either reads stops configure, naming them.
AC_DEFUN([TRESK_PROG_CHARSMITH],
[AC_REQUIRE([PKG_PROG_PKG_CONFIG])dnl
AC_ARG_VAR([CHARSMITH], [command that runs tresk_charsmith on the build machine])dnl
PKG_CHECK_VAR([TRESK_ORD2UTF32], [tresk-tools], [ord2utf32_object])
tresk_charsmith_command=$CHARSMITH
AS_IF([test -z "$tresk_charsmith_command"],
  [dnl "maybe" (--host given, no compiler run yet) counts as a cross build.
   AS_IF([test "x$cross_compiling" = xno],
         [tresk_charsmith_path=`$PKG_CONFIG --variable=charsmith tresk-tools 2>/dev/null`])
   AS_IF([test -z "$tresk_charsmith_path"],
         [AC_PATH_PROG([tresk_charsmith_path], [tresk_charsmith])])
   AS_IF([test -n "$tresk_charsmith_path"],
         [tresk_charsmith_command=$(AS_ECHO(["$tresk_charsmith_path"]) | sed "s/'/'\\\\''/g")
          tresk_charsmith_command="'$tresk_charsmith_command'"])])
AC_MSG_CHECKING([for a tresk_charsmith that runs on the build machine])
tresk_charsmith_problem=
AS_IF([test -z "$TRESK_ORD2UTF32"],
      [tresk_charsmith_problem="pkg-config does not find tresk-tools for the target (tools in a prefix of your own: set PKG_CONFIG_PATH=<prefix>/lib/pkgconfig)"],
      [test -z "$tresk_charsmith_command"],
      [tresk_charsmith_problem="no tresk_charsmith found"],
      [(eval "$tresk_charsmith_command --help") >&AS_MESSAGE_LOG_FD 2>&1],
      [dnl An emulator that cannot start the program may still exit 0: it must write.
       rm -f conftest.tables
       AS_IF([(eval "$tresk_charsmith_command -b conftest.tables") >&AS_MESSAGE_LOG_FD 2>&1 &&
              test -s conftest.tables], [],
             [tresk_charsmith_problem="CHARSMITH=$tresk_charsmith_command runs but writes no tables"])
       rm -f conftest.tables],
      [tresk_charsmith_problem="CHARSMITH=$tresk_charsmith_command does not run on this machine"])
AS_IF([test -z "$tresk_charsmith_problem"],
  [AC_MSG_RESULT([$tresk_charsmith_command])
   _TRESK_MAKE_SAFE([CHARSMITH], [$tresk_charsmith_command], ["$as_nl"])
   _TRESK_MAKE_SAFE([TRESK_ORD2UTF32], [$TRESK_ORD2UTF32], [_TRESK_PREREQUISITE_UNSAFE])
   CHARSMITH=$(AS_ECHO(["$tresk_charsmith_command"]) | sed 's/\$/$$/g; s/#/\\#/g')
   $1],
  [AC_MSG_RESULT([no])
   m4_default([$2], [AC_MSG_ERROR([$tresk_charsmith_problem: install the TRESK build tools (when cross-compiling, the build machine's tresk_charsmith on the PATH and the target's package in its root), or set CHARSMITH to a command that runs it])])])
])# TRESK_PROG_CHARSMITH

# _TRESK_MAKE_SAFE(NAME, VALUE, CHARACTERS)
# -----------------------------------------
# Stops configure, naming the character, when VALUE holds one of CHARACTERS (shell words,
# each one character), which a Makefile cannot carry in NAME.
AC_DEFUN([_TRESK_MAKE_SAFE],
[for tresk_c in $3
do
  AS_CASE([$2], [*"$tresk_c"*],
    [AS_IF([test "x$tresk_c" = "x$as_nl"], [tresk_c="a line break"], [tresk_c="'$tresk_c'"])
     AC_MSG_ERROR([$1 would be $2, which holds $tresk_c, and a Makefile cannot carry that there: install the TRESK build tools under a path without it])])
done
])# _TRESK_MAKE_SAFE

# TRESK_CHECK_ORD2UTF32
# ---------------------
# Substitutes TRESK_ORD2UTF32, the target's UTF-32 writer object, for a build that does not
# run tresk_charsmith (one that compiles shipped tables); stops configure when the target's
# module is missing, or when a Makefile cannot carry the object's path.
AC_DEFUN([TRESK_CHECK_ORD2UTF32],
[AC_REQUIRE([PKG_PROG_PKG_CONFIG])dnl
PKG_CHECK_VAR([TRESK_ORD2UTF32], [tresk-tools], [ord2utf32_object], [],
  [AC_MSG_ERROR([pkg-config does not find tresk-tools for the target: install the TRESK build tools, or for tools in a prefix of your own set PKG_CONFIG_PATH=<prefix>/lib/pkgconfig])])
_TRESK_MAKE_SAFE([TRESK_ORD2UTF32], [$TRESK_ORD2UTF32], [_TRESK_PREREQUISITE_UNSAFE])
])# TRESK_CHECK_ORD2UTF32

# What neither a prerequisite nor an unquoted word of a recipe can hold.
m4_define([_TRESK_PREREQUISITE_UNSAFE],
[' ' '	' "$as_nl" '\' "'" '"' '$' '#' '&' ';' '|' '<' '>' '(' ')' '*' '?' '{' '}' '@<:@' '@:>@' '`' '!' ':'])
