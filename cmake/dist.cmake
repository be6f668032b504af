# The download: dist/korvane-110.zip (the version without its dot) with
# korvane.exe stripped of symbols, the read-mes and the licence, packed with
# every build and checked by make test.
string(REPLACE "." "" KORVANE_VERSION_DIGITS ${KORVANE_VERSION})
set(KORVANE_ARCHIVE ${CMAKE_BINARY_DIR}/dist/korvane-${KORVANE_VERSION_DIGITS}.zip)

add_custom_command(OUTPUT ${KORVANE_ARCHIVE}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/make_dist.py
          --strip ${CMAKE_STRIP} --exe $<TARGET_FILE:korvane> --source ${CMAKE_SOURCE_DIR}
          --version-header ${CMAKE_SOURCE_DIR}/src/about/version.h ${KORVANE_ARCHIVE}
  DEPENDS korvane scripts/make_dist.py package/README-ja.txt package/README-en.txt LICENSE
          src/about/version.h
  COMMENT "Packing dist/korvane-${KORVANE_VERSION_DIGITS}.zip"
  VERBATIM)
add_custom_target(dist ALL DEPENDS ${KORVANE_ARCHIVE})

add_test(NAME dist_archive COMMAND ${Python3_EXECUTABLE}
         ${CMAKE_SOURCE_DIR}/tests/dist/check_archive.py
         --strip ${CMAKE_STRIP} --exe $<TARGET_FILE:korvane> ${KORVANE_ARCHIVE})
