# The smallest consumer of the package, as a C library's recipe takes it: the program from
# the build context (on the build's PATH) writes the tables of a small library of its own,
# the object comes from the host package, and the module that PkgConfigDeps writes names
# them; the check program runs only where this machine runs the target's programs.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
import os

from conan import ConanFile
from conan.errors import ConanException
from conan.tools.build import can_run
from conan.tools.cmake import CMake, cmake_layout
from conan.tools.files import load


class TestPackageConan(ConanFile):
    settings = "os", "arch", "compiler", "build_type"
    test_type = "explicit"
    generators = "CMakeToolchain", "PkgConfigDeps"

    def requirements(self):
        self.requires(self.tested_reference_str)

    def build_requirements(self):
        self.tool_requires(self.tested_reference_str)

    def configure(self):
        self.settings.rm_safe("compiler.cppstd")
        self.settings.rm_safe("compiler.libcxx")

    def layout(self):
        cmake_layout(self)

    def build(self):
        cmake = CMake(self)
        cmake.configure()
        cmake.build()

    def test(self):
        module = load(self, os.path.join(self.generators_folder, "tresk-tools.pc"))
        prefix = module.split("prefix=", 1)[1].split("\n", 1)[0]
        if not os.path.isfile(os.path.join(prefix, "lib", "tresk_ord2utf32.o")):
            raise ConanException(f"PkgConfigDeps' module names no object in {prefix}")
        if can_run(self):
            check = os.path.join(self.cpp.build.bindir, "test_package")
            self.run(f'"{check}" "{os.path.join(self.build_folder, "tables.bin")}"', env="conanrun")
