"""python -m tresk_tools --cmakedir | --pkgconfigdir | --aclocaldir | --object | --charsmith:
prints where that file or folder of the TRESK build tools is, for builds that ask."""
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
import argparse

import tresk_tools

ANSWERS = {
    "--cmakedir": tresk_tools.get_cmake_dir,
    "--pkgconfigdir": tresk_tools.get_pkgconfig_dir,
    "--aclocaldir": tresk_tools.get_aclocal_dir,
    "--object": tresk_tools.get_object,
    "--charsmith": tresk_tools.get_charsmith,
}


def main() -> None:
    parser = argparse.ArgumentParser(prog="python -m tresk_tools", description=__doc__.split(":")[0])
    group = parser.add_mutually_exclusive_group(required=True)
    for option, answer in ANSWERS.items():
        group.add_argument(option, dest="answer", action="store_const", const=answer,
                           help=answer.__doc__)
    print(parser.parse_args().answer())


if __name__ == "__main__":
    main()
