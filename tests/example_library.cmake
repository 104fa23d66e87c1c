# Configures, builds and checks examples/library, a C project that takes the tools from
# their source tree (-DTOOLS=...) or from an installed prefix (-DPREFIX=... -DLIBDIR=...),
# and checks that none of the tools' tests or install rules leak into it and that its tables
# are written again only when PROGRAM, the program that writes them, changes:
#   cmake -DSOURCE=... -DBUILD=... -DGENERATOR=... -DPROGRAM=... (-DTOOLS=... | -DPREFIX=...)
#         [-DTOOLCHAIN=... -DTRIPLE=...] [-DHOST_CHARSMITH=...] [-DRUN_CHECK_WITH=...]
#         [-DC_FLAGS=...] -P example_library.cmake
# With RUN_CHECK_WITH, a cross build's emulator, the example is configured with no
# emulator, and its check program is run here through that one.
include(${CMAKE_CURRENT_LIST_DIR}/checks.cmake)

file(REMOVE_RECURSE ${BUILD})
if(TOOLS)
  set(options -DTRESK_TOOLS_DIR=${TOOLS})
elseif(TOOLCHAIN)
  # A cross build looks for packages in the target's root only; this one is elsewhere.
  set(options -DTRESK_TOOLS_DIR= -DTreskTools_DIR=${PREFIX}/${LIBDIR}/cmake/TreskTools)
else()
  set(options -DTRESK_TOOLS_DIR= -DCMAKE_PREFIX_PATH=${PREFIX})
endif()
if(TOOLCHAIN)
  list(APPEND options -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DTRESK_TARGET_TRIPLE=${TRIPLE})
endif()
if(C_FLAGS)
  list(APPEND options -DCMAKE_C_FLAGS=${C_FLAGS})
endif()
if(HOST_CHARSMITH)
  list(APPEND options -DTRESK_HOST_CHARSMITH=${HOST_CHARSMITH})
endif()
if(RUN_CHECK_WITH)
  list(APPEND options -DCMAKE_CROSSCOMPILING_EMULATOR=)
endif()

run_checked(output "configure" ${CMAKE_COMMAND} -S ${SOURCE} -B ${BUILD} -G ${GENERATOR} ${options})
run_checked(output "build" ${CMAKE_COMMAND} --build ${BUILD})
expect("${output}" "Writing character tables tresk_chartables.c" "first build")
if(RUN_CHECK_WITH)
  separate_arguments(emulator UNIX_COMMAND "${RUN_CHECK_WITH}")
  run_checked(output "check" ${emulator} ${BUILD}/example_check ${BUILD}/tables.bin
              ${BUILD}/tables_c_locale.bin)
else()
  run_checked(output "test" ${CMAKE_CTEST_COMMAND} --test-dir ${BUILD} --output-on-failure)
endif()

# Only the example's own test and none of its install rules: the tools add nothing.
run_checked(output "list tests" ${CMAKE_CTEST_COMMAND} --test-dir ${BUILD} -N)
expect("${output}" "Total Tests: 1\n" "only the library's own test")
run_checked(output "install" ${CMAKE_COMMAND} --install ${BUILD} --prefix ${BUILD}/stage)
file(GLOB_RECURSE installed ${BUILD}/stage/*)
if(installed)
  message(FATAL_ERROR "install rules of the tools leaked into the library's build: ${installed}")
endif()

# Built again, nothing is regenerated; once the program changes, the tables are.
run_checked(output "rebuild" ${CMAKE_COMMAND} --build ${BUILD})
if(output MATCHES "Writing character tables")
  message(FATAL_ERROR "the tables were written again with nothing changed:\n${output}")
endif()
file(TOUCH_NOCREATE ${PROGRAM})
run_checked(output "build after the program changed" ${CMAKE_COMMAND} --build ${BUILD})
expect("${output}" "Writing character tables tresk_chartables.c" "build after the program changed")
message(STATUS "example library: built, checked, nothing leaked, regenerated only on change")
