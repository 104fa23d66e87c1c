"""The TRESK build tools, installed from a wheel: where each of their files is.

tresk_charsmith is in the environment's scripts folder, on its PATH; the rest is in this
package: the CMake package (found by scikit-build-core through the entry point cmake.prefix),
the pkg-config module (found by PyPI's pkgconf through the entry point pkg_config), the
aclocal macros and the UTF-32 writer object, built for the machine the wheel is for.
"""
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
import importlib.metadata
from pathlib import Path

_HERE = Path(__file__).resolve().parent


def get_cmake_dir() -> Path:
    """The folder of the CMake package, for TreskTools_DIR."""
    return _HERE / "lib" / "cmake" / "TreskTools"


def get_pkgconfig_dir() -> Path:
    """The folder of the pkg-config module tresk-tools, for PKG_CONFIG_PATH."""
    return _HERE / "lib" / "pkgconfig"


def get_aclocal_dir() -> Path:
    """The folder of the aclocal macros, for ACLOCAL_PATH."""
    return _HERE / "share" / "aclocal"


def get_object() -> Path:
    """The UTF-32 writer object."""
    return _HERE / "lib" / "tresk_ord2utf32.o"


def get_charsmith() -> Path:
    """The program, where the wheel's installer put it."""
    for file in importlib.metadata.files("tresk-tools") or []:
        if file.stem == "tresk_charsmith" and file.parent.name != "man1":
            return Path(file.locate()).resolve()
    raise FileNotFoundError("this installation of tresk-tools has no tresk_charsmith")
