# tresk-tools.m4: finds the TRESK build tools for a configure script.   -*- Autoconf -*-
# serial 1

# TRESK_PROG_CHARSMITH([ACTION-IF-FOUND], [ACTION-IF-NOT-FOUND])
# --------------------------------------------------------------
# Substitutes CHARSMITH, a command that runs tresk_charsmith on the build machine, and
# TRESK_ORD2UTF32, the target's UTF-32 writer object from the pkg-config module
# tresk-tools (empty where the module is not found). Both are precious: a value given to
# configure wins, and CHARSMITH may be an emulator's command line. Otherwise CHARSMITH is,
# natively, the program that the module names; when cross-compiling, that program is the
# target's and cannot run here, so it is tresk_charsmith from the PATH, as distributions
# lay out cross builds (the build machine's tools on the PATH, the target's files in its
# root). Whichever it is, it must run (--help exits 0). ACTION-IF-NOT-FOUND defaults to an
# error that names CHARSMITH.
AC_DEFUN([TRESK_PROG_CHARSMITH],
[AC_REQUIRE([PKG_PROG_PKG_CONFIG])dnl
AC_ARG_VAR([CHARSMITH], [command that runs tresk_charsmith on the build machine])dnl
PKG_CHECK_VAR([TRESK_ORD2UTF32], [tresk-tools], [ord2utf32_object])
dnl "maybe" (--host given, no compiler run yet) counts as a cross build.
AS_IF([test "x$cross_compiling" = xno],
      [PKG_CHECK_VAR([CHARSMITH], [tresk-tools], [charsmith])])
AS_IF([test -z "$CHARSMITH"], [AC_PATH_PROG([CHARSMITH], [tresk_charsmith])])
AC_MSG_CHECKING([for a tresk_charsmith that runs on the build machine])
AS_IF([test -n "$CHARSMITH" && $CHARSMITH --help >&AS_MESSAGE_LOG_FD 2>&1],
      [AC_MSG_RESULT([$CHARSMITH])
       $1],
      [AC_MSG_RESULT([no])
       AS_IF([test -n "$CHARSMITH"],
             [tresk_charsmith_problem="CHARSMITH=$CHARSMITH does not run on this machine"],
             [tresk_charsmith_problem="no tresk_charsmith found"])
       m4_default([$2], [AC_MSG_ERROR([$tresk_charsmith_problem: install the TRESK build tools (when cross-compiling, the build machine's tresk_charsmith on the PATH), or set CHARSMITH to a command that runs it])])])
])# TRESK_PROG_CHARSMITH
