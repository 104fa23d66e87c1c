# Checks the AArch64 deliverables with the cross binutils:
#   cmake -DREADELF=... -DNM=... -DOBJECT=... [-DPROGRAM=...] -P check_aarch64.cmake
function(output_of var)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${rc}): ${err}")
  endif()
  set(${var} "${out}" PARENT_SCOPE)
endfunction()

function(expect text pattern what)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "${what}: expected /${pattern}/ in\n${text}")
  endif()
endfunction()

# The object: an ELF64 AArch64 relocatable that defines the writer and needs nothing.
output_of(header ${READELF} -hW ${OBJECT})
expect("${header}" "Class: +ELF64" "object class")
expect("${header}" "Type: +REL " "object type")
expect("${header}" "Machine: +AArch64" "object machine")
output_of(symbols ${READELF} -sW ${OBJECT})
# Size 12: three four-byte instructions, a store, a move and a return.
expect("${symbols}" " 12 FUNC +GLOBAL +HIDDEN +[0-9]+ _tresk_ord2utf_32\n" "writer symbol")
output_of(undefined ${NM} -u ${OBJECT})
if(NOT undefined STREQUAL "")
  message(FATAL_ERROR "the object needs symbols from elsewhere:\n${undefined}")
endif()
message(STATUS "${OBJECT}: ELF64 AArch64 relocatable; _tresk_ord2utf_32 FUNC GLOBAL HIDDEN, 12 bytes; nothing undefined")

# The program: an AArch64 executable that loads nothing.
if(PROGRAM)
  output_of(header ${READELF} -hW ${PROGRAM})
  expect("${header}" "Machine: +AArch64" "program machine")
  output_of(segments ${READELF} -lW ${PROGRAM})
  if(segments MATCHES "INTERP|DYNAMIC")
    message(FATAL_ERROR "${PROGRAM} is not statically linked:\n${segments}")
  endif()
  message(STATUS "${PROGRAM}: static AArch64 executable")
endif()
