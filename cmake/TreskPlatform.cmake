# How platforms spell systems and processors, in one place: the package's version check, the
# Zig toolchain and the tests read it.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors

# tresk_platform(<prefix> <system> <processor> [<pointer size>]): names one platform however
# CMake or Zig spells it, in <prefix>_SYSTEM, CMake's name of the system; <prefix>_ZIG, Zig's;
# <prefix>_KIND, the systems whose programs and objects it shares (Windows; Apple's; each BSD
# alone; empty for the rest, Linux's and Android's ELF among them); and <prefix>_PROCESSOR,
# the processor family as Zig and Linux name it. x86 and i386 to i686 are i686; AMD64 and
# x64 are x86_64, but i686 with 4-byte pointers (a Visual Studio build for Win32 reports the
# build machine's); arm64 is aarch64.
function(tresk_platform prefix system processor)
  set(names ";Darwin=macos;FreeBSD=freebsd;NetBSD=netbsd;Linux=linux;Windows=windows;")
  if(names MATCHES ";([A-Za-z]+)=${system};")
    set(system "${CMAKE_MATCH_1}")
  endif()
  string(REGEX MATCH ";${system}=([a-z]+);" zig "${names}")
  set(zig "${CMAKE_MATCH_1}")
  string(REGEX MATCH "^Windows|^(FreeBSD|NetBSD|OpenBSD|DragonFly|Darwin|iOS|tvOS|watchOS|visionOS)$"
         kind "${system}")
  string(REGEX REPLACE "^(Darwin|iOS|tvOS|watchOS|visionOS)$" "Apple" kind "${kind}")
  string(TOLOWER "${processor}" processor)
  string(REGEX REPLACE "^(x86|i[3-6]86)$" "i686" processor "${processor}")
  string(REGEX REPLACE "^(amd64|x64)$" "x86_64" processor "${processor}")
  string(REGEX REPLACE "^arm64$" "aarch64" processor "${processor}")
  if(processor STREQUAL "x86_64" AND "${ARGV3}" STREQUAL "4")
    set(processor i686)
  endif()
  foreach(name SYSTEM ZIG KIND PROCESSOR)
    string(TOLOWER "${name}" value)
    set(${prefix}_${name} "${${value}}" PARENT_SCOPE)
  endforeach()
endfunction()
