# The TRESK build tools as a Conan 2 package: a C library's recipe takes tresk_charsmith,
# which runs while it is built, with tool_requires, and the object tresk_ord2utf32, which
# links into it, with requires (the program left out there: charsmith=False).
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
import os
import re

from conan import ConanFile
from conan.errors import ConanInvalidConfiguration
from conan.tools.cmake import CMake, CMakeToolchain, cmake_layout
from conan.tools.files import copy, load

required_conan_version = ">=2.0"

# What the program and the object build for; the object is plain C for any of them.
SYSTEMS = ("Linux", "Android", "Windows", "Macos", "FreeBSD", "NetBSD", "Emscripten")
PROCESSORS = ("x86", "x86_64", "armv7", "armv7hf", "armv8", "armv8_32", "s390x", "ppc64le",
              "ppc64", "riscv64", "mips64", "wasm")


class TreskToolsConan(ConanFile):
    name = "tresk-tools"
    description = "Build-time tools of the TRESK library: tresk_charsmith and the UTF-32 writer object"
    license = "BSD-2-Clause"
    topics = ("code-generator", "character-tables", "build-tool")
    # The object links into a library as a static archive's members would; the program is
    # a tool of the build context.
    package_type = "static-library"
    settings = "os", "arch", "compiler", "build_type"
    options = {"charsmith": [True, False]}
    default_options = {"charsmith": True}

    def set_version(self):
        text = load(self, os.path.join(self.recipe_folder, "CMakeLists.txt"))
        self.version = re.search(r"project\(tresk_tools VERSION ([0-9.]+)", text).group(1)

    def export_sources(self):
        for line in load(self, os.path.join(self.recipe_folder, "tools-tree.txt")).splitlines():
            if line and not line.startswith("#"):
                pattern = line if os.path.isfile(os.path.join(self.recipe_folder, line)) else line + "/*"
                copy(self, pattern, self.recipe_folder, self.export_sources_folder)
        copy(self, "tools-tree.txt", self.recipe_folder, self.export_sources_folder)

    def configure(self):
        # The program's C++ standard is its own; without it the package is C alone.
        self.settings.rm_safe("compiler.cppstd")
        if not self.options.charsmith:
            self.settings.rm_safe("compiler.libcxx")

    def layout(self):
        cmake_layout(self)

    def validate(self):
        system, processor = self.settings.get_safe("os"), self.settings.get_safe("arch")
        if system not in SYSTEMS:
            raise ConanInvalidConfiguration(
                f"os={system} is not a system the tools build for ({', '.join(SYSTEMS)})")
        if processor not in PROCESSORS:
            raise ConanInvalidConfiguration(
                f"arch={processor} is not a processor the tools build for ({', '.join(PROCESSORS)})")
        # A cross profile that names its compilers but no C++ one cannot build the program,
        # and CMake would take the build machine's c++ instead.
        compilers = self.conf.get("tools.build:compiler_executables", default={}, check_type=dict)
        if self.options.charsmith and compilers.get("c") and not compilers.get("cpp"):
            raise ConanInvalidConfiguration(
                "tresk_charsmith is C++, and this profile names no C++ compiler "
                "(tools.build:compiler_executables has no 'cpp'): take the program with "
                "tool_requires, built for the build machine, and the object alone with "
                "-o tresk-tools/*:charsmith=False")

    def generate(self):
        tc = CMakeToolchain(self)
        tc.cache_variables["TRESK_CHARSMITH"] = bool(self.options.charsmith)
        tc.cache_variables["TRESK_BUILD_TESTS"] = False
        tc.cache_variables["TRESK_INSTALL"] = True
        # Conan's packages link as the profile says; a distribution's program is dynamic.
        tc.cache_variables["TRESK_STATIC"] = "OFF"
        tc.generate()

    def build(self):
        cmake = CMake(self)
        cmake.configure()
        cmake.build()

    def package(self):
        CMake(self).install()

    def package_info(self):
        # The package's own CMake package, found through the builddirs: find_package(TreskTools)
        # and tresk_chartables() as in every other install.
        self.cpp_info.set_property("cmake_find_mode", "none")
        self.cpp_info.builddirs = [os.path.join("lib", "cmake", "TreskTools")]
        self.cpp_info.includedirs = []
        self.cpp_info.libdirs = []
        self.cpp_info.bindirs = ["bin"] if self.options.charsmith else []
        # The pkg-config module that PkgConfigDeps writes has the installed one's variables.
        suffix = ".exe" if self.settings.os == "Windows" else ""
        self.cpp_info.set_property("pkg_config_name", "tresk-tools")
        self.cpp_info.set_property("pkg_config_custom_content",
                                   f"charsmith=${{prefix}}/bin/tresk_charsmith{suffix}\n"
                                   "ord2utf32_object=${prefix}/lib/tresk_ord2utf32.o")
        # configure scripts' aclocal finds the macros.
        self.buildenv_info.append_path("ACLOCAL_PATH", os.path.join(self.package_folder, "share", "aclocal"))
