# Every build of korvane.exe is checked against the rules that keep it
# running on Windows 95/98 and on every Pentium-class processor; a broken
# rule fails the build.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(KORVANE_WIN98_EXPORTS "" CACHE FILEPATH "Exports of the Windows 98 SE system DLLs (JSON)")
if(NOT KORVANE_WIN98_EXPORTS)
  foreach(candidate
          $ENV{KORVANE_WIN98_EXPORTS}
          ${CMAKE_SOURCE_DIR}/../shared/data/win98se-exports.json
          ${CMAKE_SOURCE_DIR}/../../shared/data/win98se-exports.json
          /work/shared/data/win98se-exports.json)
    if(candidate AND EXISTS ${candidate})
      set(KORVANE_WIN98_EXPORTS ${candidate})
      break()
    endif()
  endforeach()
endif()
if(NOT KORVANE_WIN98_EXPORTS)
  message(FATAL_ERROR "win98se-exports.json not found; set KORVANE_WIN98_EXPORTS")
endif()

set(KORVANE_CHECK_COMMAND
  ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/binary/check_binary.py
  --objdump i686-w64-mingw32-objdump
  --exports ${KORVANE_WIN98_EXPORTS}
  $<TARGET_FILE:korvane>)

add_custom_command(TARGET korvane POST_BUILD
  COMMAND ${KORVANE_CHECK_COMMAND}
  COMMENT "Checking korvane.exe for Windows 98 and Pentium rules"
  VERBATIM)
add_test(NAME binary_checks COMMAND ${KORVANE_CHECK_COMMAND})
