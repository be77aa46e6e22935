# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DSOURCE=... -DWORK=... -DGENERATOR=... -P version_test.cmake
#
# The version is stated once, in project(). A copy of the sources whose project()
# says 7.31 is configured (tests off, nothing built): the header the About window
# and the update check read, the metainfo release, the package version, its
# changelog and the manual page all say 7.31. And no source file states the
# real version a second time.
foreach(var SOURCE WORK GENERATOR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

set(other 7.31)
set(copy ${WORK}/source)
set(build ${WORK}/build)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${copy})
# Everything but build folders and hidden ones (the repository's own).
file(GLOB entries LIST_DIRECTORIES true RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(entry IN LISTS entries)
  if(entry MATCHES "^(build|\\.)" OR entry STREQUAL "CMakeLists.txt")
    continue()
  endif()
  set(entry_path ${SOURCE}/${entry})
  cmake_path(IS_PREFIX entry_path "${WORK}" NORMALIZE holds_work)
  if(NOT holds_work)
    file(COPY ${entry_path} DESTINATION ${copy})
  endif()
endforeach()

file(READ ${SOURCE}/CMakeLists.txt top)
string(REGEX MATCH "project\\(Klemvar VERSION ([0-9.]+)" stated "${top}")
set(version ${CMAKE_MATCH_1})
if(NOT version)
  message(FATAL_ERROR "no version in project()")
endif()
string(REPLACE "${stated}" "project(Klemvar VERSION ${other}" top "${top}")
file(WRITE ${copy}/CMakeLists.txt "${top}")

execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${copy} -B ${build} -G ${GENERATOR} -DKLEMVAR_BUILD_TESTS=OFF
  OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "configuring the copy failed:\n${out}")
endif()

function(expect what file pattern)
  file(READ ${file} text)
  if(text MATCHES "${pattern}")
    message(STATUS "ok ${what}")
  else()
    message(SEND_ERROR "${what}: ${file} does not match ${pattern}")
  endif()
endfunction()

string(REPLACE "." "\\." o "${other}")
expect("the About window's text" ${build}/generated/ui/version.h "ProgramVersionText\\[\\] = \"${o}\";")
expect("the update check's number" ${build}/generated/ui/version.h "ProgramVersionNumber = ${o};")
file(GLOB metainfo ${build}/packaging/*.metainfo.xml)
expect("the metainfo release" ${metainfo} "<release version=\"${o}\"")
expect("the package version" ${build}/CPackConfig.cmake "set\\(CPACK_PACKAGE_VERSION \"${o}\"\\)")
expect("the package's changelog" ${build}/packaging/debian/changelog "^klemvar \\(${o}\\) ")
expect("the manual page" ${build}/packaging/debian/klemvar.1 "\"Klemvar ${o}\"")

# Stated nowhere else: no source or packaging file carries the real version.
string(REPLACE "." "\\." v "${version}")
file(GLOB_RECURSE sources ${SOURCE}/src/* ${SOURCE}/packaging/*)
foreach(file IN LISTS sources)
  file(STRINGS ${file} lines REGEX "(^|[^0-9.])${v}([^0-9]|$)")
  if(lines)
    message(SEND_ERROR "${file} states the version ${version}: ${lines}")
  endif()
endforeach()
message(STATUS "ok ${version} is stated in project() alone")
file(REMOVE_RECURSE ${WORK})
