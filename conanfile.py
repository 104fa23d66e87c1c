# The TRESK build tools as a Conan 2 package: a C library's recipe takes tresk_charsmith,
# which runs while it is built, with tool_requires, and the object tresk_ord2utf32, which
# links into it, with requires. A package for the host of a cross build leaves the program
# out, as the build context supplies it, and so needs no C++ compiler for the target.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
import os
import re

from conan import ConanFile
from conan.errors import ConanInvalidConfiguration
from conan.tools.build import cross_building, supported_cppstd
from conan.tools.cmake import CMake, CMakeToolchain, cmake_layout
from conan.tools.files import copy, load, rmdir

required_conan_version = ">=2.1"


class TreskToolsConan(ConanFile):
    name = "tresk-tools"
    description = "Build-time tools of the TRESK library: tresk_charsmith and the UTF-32 writer object"
    license = "BSD-2-Clause"
    url = "https://tresk.example/tools"
    homepage = "https://tresk.example/tools"
    topics = ("code-generator", "character-tables", "build-tool")
    # The object links into a library as a static archive's members would; the program is
    # a tool of the build context.
    package_type = "static-library"
    settings = "os", "arch", "compiler", "build_type"
    # charsmith: the program too; by default, unless this is the host package of a cross build.
    options = {"charsmith": [None, True, False]}
    default_options = {"charsmith": None}
    # What the build reads, and no more.
    exports_sources = ("CMakeLists.txt", "LICENSE", "cmake/*", "charsmith/*", "ord2utf/*",
                       "doc/tresk_charsmith.1")

    def set_version(self):
        text = load(self, os.path.join(self.recipe_folder, "CMakeLists.txt"))
        self.version = re.search(r"project\(tresk_tools VERSION ([0-9.]+)", text).group(1)

    def configure(self):
        if self.options.charsmith == None:  # noqa: E711, an option's unset value
            self.options.charsmith = not cross_building(self)
        # The program's C++ standard is its own; without it the package is C alone.
        self.settings.rm_safe("compiler.cppstd")
        if not self.options.charsmith:
            self.settings.rm_safe("compiler.libcxx")

    def layout(self):
        cmake_layout(self)

    def validate_build(self):
        if not self.options.charsmith:
            return
        compiler = self.settings.get_safe("compiler")
        version = self.settings.get_safe("compiler.version")
        if compiler and version and "20" not in (supported_cppstd(self) or ["20"]):
            raise ConanInvalidConfiguration(
                f"tresk_charsmith is C++20, which {compiler} {version} does not compile: use a newer "
                "compiler, or leave the program out with -o tresk-tools/*:charsmith=False")
        # A cross profile that names its C compiler alone would have CMake build the program
        # with this machine's c++: a program for another machine than the package's.
        named = (self.conf.get("tools.build:compiler_executables", default={}, check_type=dict).get("cpp")
                 or self.buildenv.vars(self).get("CXX")
                 or self.conf.get("tools.cmake.cmaketoolchain:user_toolchain"))
        if cross_building(self) and not named:
            raise ConanInvalidConfiguration(
                "tresk_charsmith is C++, and this cross profile names no C++ compiler for "
                f"os={self.settings.os} arch={self.settings.arch}: name one "
                "(tools.build:compiler_executables, or CXX in [buildenv]), or leave the program "
                "out, as a cross build's host package does unless asked (charsmith=False)")

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
        # The licence where Conan keeps licences; the pkg-config module is PkgConfigDeps'.
        copy(self, "LICENSE", self.source_folder, os.path.join(self.package_folder, "licenses"))
        rmdir(self, os.path.join(self.package_folder, "share", "doc"))
        rmdir(self, os.path.join(self.package_folder, "lib", "pkgconfig"))

    def package_info(self):
        # The package's own CMake package, found through the builddirs: find_package(TreskTools)
        # and tresk_chartables() as in every other install.
        self.cpp_info.set_property("cmake_find_mode", "none")
        self.cpp_info.builddirs = [os.path.join("lib", "cmake", "TreskTools")]
        self.cpp_info.includedirs = []
        self.cpp_info.libdirs = []
        self.cpp_info.bindirs = ["bin"] if self.options.charsmith else []
        # The module that PkgConfigDeps writes has the installed one's variables.
        content = "ord2utf32_object=${prefix}/lib/tresk_ord2utf32.o"
        if self.options.charsmith:
            suffix = ".exe" if self.settings.os == "Windows" else ""
            content += f"\ncharsmith=${{prefix}}/bin/tresk_charsmith{suffix}"
        self.cpp_info.set_property("pkg_config_name", "tresk-tools")
        self.cpp_info.set_property("pkg_config_custom_content", content)
        # configure scripts' aclocal finds the macros.
        self.buildenv_info.append_path("ACLOCAL_PATH", os.path.join(self.package_folder, "share", "aclocal"))
