# Every build of korvane.exe is checked against the rules that keep it
# running on Windows 95/98 and on every Pentium-class processor; a broken
# rule fails the build.

# The exports of 17 Windows 98 SE system DLLs and those of Windows 95's
# kernel32, kept beside the check with their licence notices, and the list of
# imports, whose lines say what Windows 95 does with each function.
set(KORVANE_WIN98_EXPORTS ${CMAKE_SOURCE_DIR}/tests/binary/data/win98se-exports.json)
set(KORVANE_WIN95_KERNEL32 ${CMAKE_SOURCE_DIR}/tests/binary/data/win95-kernel32-exports.txt)
set(KORVANE_IMPORT_LIST ${CMAKE_SOURCE_DIR}/tests/binary/win98_imports.txt)

set(KORVANE_CHECK_COMMAND
  ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/binary/check_binary.py
  --objdump i686-w64-mingw32-objdump
  --exports ${KORVANE_WIN98_EXPORTS}
  --win95-kernel32 ${KORVANE_WIN95_KERNEL32}
  --imports ${KORVANE_IMPORT_LIST}
  --windres ${CMAKE_RC_COMPILER}
  --version ${KORVANE_VERSION}
  $<TARGET_FILE:korvane>)

add_custom_command(TARGET korvane POST_BUILD
  COMMAND ${KORVANE_CHECK_COMMAND}
  COMMENT "Checking korvane.exe for Windows 95/98 and Pentium rules"
  VERBATIM)
add_test(NAME binary_checks COMMAND ${KORVANE_CHECK_COMMAND})

# The Windows 98 rules check of every call the program makes runs under Wine
# (tests/e2e); here, the check itself on trace lines whose verdict is known,
# and the Windows 95 import contract on import tables whose verdict is known.
add_test(NAME win98_rules_checker
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/binary/check_calls_test.py)
add_test(NAME windows95_imports_checker
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/binary/check_binary_test.py)
