# Configures, builds and tests examples/library, a project that brings the tools in with
# add_subdirectory, and checks that none of the tools' tests or install rules leak into it
# and that its tables are written again only when the program changes:
#   cmake -DSOURCE=... -DBUILD=... -DTOOLS=... -DGENERATOR=... [-DTOOLCHAIN=...]
#         [-DHOST_CHARSMITH=...] -P example_library.cmake
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${BUILD})
set(options -DTRESK_TOOLS_DIR=${TOOLS})
if(TOOLCHAIN)
  list(APPEND options -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN})
endif()
if(HOST_CHARSMITH)
  list(APPEND options -DTRESK_HOST_CHARSMITH=${HOST_CHARSMITH})
endif()
run("configure" ${CMAKE_COMMAND} -S ${SOURCE} -B ${BUILD} -G ${GENERATOR} ${options})
run("build" ${CMAKE_COMMAND} --build ${BUILD})
if(NOT output MATCHES "Writing character tables tresk_chartables.c")
  message(FATAL_ERROR "the tables were not written:\n${output}")
endif()
run("test" ${CMAKE_CTEST_COMMAND} --test-dir ${BUILD} --output-on-failure)

# Only the example's own test and none of its install rules: the tools add nothing.
run("list tests" ${CMAKE_CTEST_COMMAND} --test-dir ${BUILD} -N)
if(NOT output MATCHES "Total Tests: 1\n")
  message(FATAL_ERROR "tests of the tools leaked into the library's build:\n${output}")
endif()
run("install" ${CMAKE_COMMAND} --install ${BUILD} --prefix ${BUILD}/stage)
file(GLOB_RECURSE installed ${BUILD}/stage/*)
if(installed)
  message(FATAL_ERROR "install rules of the tools leaked into the library's build: ${installed}")
endif()

# Built again, nothing is regenerated; once the program changes, the tables are.
run("rebuild" ${CMAKE_COMMAND} --build ${BUILD})
if(output MATCHES "Writing character tables")
  message(FATAL_ERROR "the tables were written again with nothing changed:\n${output}")
endif()
if(HOST_CHARSMITH)
  file(TOUCH_NOCREATE ${HOST_CHARSMITH})
else()
  file(TOUCH_NOCREATE ${BUILD}/tresk_tools/tresk_charsmith)
endif()
run("build after the program changed" ${CMAKE_COMMAND} --build ${BUILD})
if(NOT output MATCHES "Writing character tables tresk_chartables.c")
  message(FATAL_ERROR "the tables were not written again for a new program:\n${output}")
endif()
message(STATUS "example library: built, tested, nothing leaked, regenerated only on change")
