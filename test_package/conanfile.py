# The smallest consumer of the package, as a C library's recipe takes it: the program from
# the build context (on the build's PATH) writes the tables, the object comes from the host
# one; the check program runs only where this machine runs the target's programs.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
import os

from conan import ConanFile
from conan.tools.build import can_run
from conan.tools.cmake import CMake, cmake_layout


class TestPackageConan(ConanFile):
    settings = "os", "arch", "compiler", "build_type"
    test_type = "explicit"
    generators = "CMakeToolchain"

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
        if can_run(self):
            check = os.path.join(self.cpp.build.bindir, "test_package")
            self.run(f'"{check}" "{os.path.join(self.build_folder, "tables.bin")}"', env="conanrun")
