# Cross-compiles for 64-bit ARM Linux with Debian's toolchain (g++-aarch64-linux-gnu) and
# runs what it builds under user-mode emulation (qemu-user), with the target's libraries.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(TRESK_TARGET aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${TRESK_TARGET}-gcc)
set(CMAKE_CXX_COMPILER ${TRESK_TARGET}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${TRESK_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/${TRESK_TARGET})
