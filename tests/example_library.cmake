# Configures, builds and tests examples/library, a project that brings the tools in with
# add_subdirectory, and checks that none of the tools' tests or install rules leak into it
# and that its tables are written again only when the program changes:
#   cmake -DSOURCE=... -DBUILD=... -DTOOLS=... -DGENERATOR=... [-DTOOLCHAIN=...]
#         [-DHOST_CHARSMITH=...] -P example_library.cmake
include(${CMAKE_CURRENT_LIST_DIR}/checks.cmake)

file(REMOVE_RECURSE ${BUILD})
set(options -DTRESK_TOOLS_DIR=${TOOLS})
if(TOOLCHAIN)
  list(APPEND options -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN})
endif()
if(HOST_CHARSMITH)
  list(APPEND options -DTRESK_HOST_CHARSMITH=${HOST_CHARSMITH})
endif()
run_checked(output "configure" ${CMAKE_COMMAND} -S ${SOURCE} -B ${BUILD} -G ${GENERATOR} ${options})
run_checked(output "build" ${CMAKE_COMMAND} --build ${BUILD})
expect("${output}" "Writing character tables tresk_chartables.c" "first build")
run_checked(output "test" ${CMAKE_CTEST_COMMAND} --test-dir ${BUILD} --output-on-failure)

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
if(HOST_CHARSMITH)
  file(TOUCH_NOCREATE ${HOST_CHARSMITH})
else()
  file(TOUCH_NOCREATE ${BUILD}/tresk_tools/tresk_charsmith)
endif()
run_checked(output "build after the program changed" ${CMAKE_COMMAND} --build ${BUILD})
expect("${output}" "Writing character tables tresk_chartables.c" "build after the program changed")
message(STATUS "example library: built, tested, nothing leaked, regenerated only on change")
