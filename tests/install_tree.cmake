# Installs the build tree into a scratch prefix and checks what lands there:
#   cmake -DBUILD=... -DPREFIX=... -DBINDIR=... -DLIBDIR=... -DMANDIR=... -DOBJECT=...
#         [-DEMULATOR=...] -P install_tree.cmake
include(${CMAKE_CURRENT_LIST_DIR}/checks.cmake)

file(REMOVE_RECURSE ${PREFIX})
run_checked(ignored "install" ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX})

file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT installed)
set(expected ${BINDIR}/tresk_charsmith ${LIBDIR}/tresk_ord2utf32.o ${MANDIR}/man1/tresk_charsmith.1)
list(SORT expected)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "installed: ${installed}\nexpected: ${expected}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OBJECT} ${PREFIX}/${LIBDIR}/tresk_ord2utf32.o
                RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "the installed object is not the one built")
endif()
separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
run_checked(ignored "the installed program"
            ${emulator} ${PREFIX}/${BINDIR}/tresk_charsmith -b ${PREFIX}/tables.bin)
file(SIZE ${PREFIX}/tables.bin size)
if(NOT size EQUAL 1088)
  message(FATAL_ERROR "the installed program wrote ${size} bytes instead of 1088")
endif()
message(STATUS "installed: ${installed}")
