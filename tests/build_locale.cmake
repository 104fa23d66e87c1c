# Compiles the 8-bit test locale into the build tree: cmake -DLOCALEDEF=... -DDIR=... -P
file(MAKE_DIRECTORY "${DIR}")
execute_process(
  COMMAND "${LOCALEDEF}" -i tr_TR -f ISO-8859-9 "${DIR}/tr_TR.ISO-8859-9"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "localedef failed (${result}) building ${DIR}/tr_TR.ISO-8859-9")
endif()
