# Compiles the 8-bit test locale into the build tree, in the target's byte order (ORDER:
# big-endian or little-endian), and into HOST_DIR in this machine's own when that differs:
#   cmake -DLOCALEDEF=... -DDIR=... [-DORDER=...] [-DHOST_DIR=...] -P build_locale.cmake
function(build_locale dir)  # ARGN: further options of localedef
  file(MAKE_DIRECTORY "${dir}")
  execute_process(
    COMMAND "${LOCALEDEF}" ${ARGN} -i tr_TR -f ISO-8859-9 "${dir}/tr_TR.ISO-8859-9"
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "localedef ${ARGN} failed (${result}) building ${dir}/tr_TR.ISO-8859-9")
  endif()
endfunction()

if(ORDER)
  build_locale("${DIR}" --${ORDER})
else()
  build_locale("${DIR}")
endif()
if(HOST_DIR AND NOT HOST_DIR STREQUAL DIR)
  build_locale("${HOST_DIR}")
endif()
