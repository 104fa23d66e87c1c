# The example library built with Make, finding the tools through pkg-config:
#   make -f examples/library/pkg-config.mk srcdir=examples/library check
# builds in the current directory. A cross build sets CC and AR (and EXEEXT=.exe for
# Windows), points pkg-config at the target's install, and either runs the target's programs
# through EMULATOR or names a tresk_charsmith built for the build machine in CHARSMITH
# (there is then no check to run).
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors

srcdir = .
PKG_CONFIG = pkg-config
CHARSMITH := $(shell $(PKG_CONFIG) --variable=charsmith tresk-tools)
ORD2UTF32 := $(shell $(PKG_CONFIG) --variable=ord2utf32_object tresk-tools)
ifeq ($(ORD2UTF32),)
$(error $(PKG_CONFIG) does not find tresk-tools: set PKG_CONFIG_PATH to <prefix>/lib/pkgconfig)
endif
# These paths are prerequisites, and make splits prerequisites at spaces whatever the quoting.
space := $(subst ,, )
$(foreach path,CHARSMITH ORD2UTF32 srcdir,$(if $(findstring $(space),$($(path))),\
  $(error $(path) is "$($(path))", and make cannot carry a space in a prerequisite: use a path without one)))
# Every path goes to the shell quoted, whatever characters it holds.
quote = '$(subst ','\'',$(1))'
EMULATOR =
EXEEXT =
CFLAGS = -O2
LDFLAGS =
ALL_CFLAGS = -Wall -Werror -I$(call quote,$(srcdir)/include) $(CFLAGS)

all: libexample_tresk.a example_check$(EXEEXT) tables.bin tables_c_locale.bin

tresk_chartables.c: $(CHARSMITH)
	$(EMULATOR) $(call quote,$(CHARSMITH)) $@
tables.bin: $(CHARSMITH)
	$(EMULATOR) $(call quote,$(CHARSMITH)) -b $@
tables_c_locale.bin: $(CHARSMITH)
	LC_ALL=C $(EMULATOR) $(call quote,$(CHARSMITH)) -L -b $@

tresk_chartables.o: tresk_chartables.c
	$(CC) $(ALL_CFLAGS) -c -o $@ tresk_chartables.c
libexample_tresk.a: tresk_chartables.o $(ORD2UTF32)
	rm -f $@
	$(AR) rcs $@ tresk_chartables.o $(call quote,$(ORD2UTF32))

example_check$(EXEEXT): $(srcdir)/example_check.c libexample_tresk.a
	$(CC) $(ALL_CFLAGS) $(LDFLAGS) -o $@ $(call quote,$(srcdir)/example_check.c) libexample_tresk.a

check: all
	$(EMULATOR) ./example_check$(EXEEXT) tables.bin tables_c_locale.bin

.PHONY: all check
