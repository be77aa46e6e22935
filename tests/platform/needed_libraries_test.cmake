# SPDX-License-Identifier: GPL-3.0-or-later
# Checks, with readelf, the shared libraries that the program and its modules
# name as needed: the program must need neither libcurl, libpulse nor libasound
# (they come with the modules, loaded on first use), and each module must need its own.
#
# cmake -DREADELF=... -DPROGRAM=... -DSOUND_MODULE=... -DHTTP_MODULE=... -P needed_libraries_test.cmake

function(needed_of file out)
  execute_process(COMMAND ${READELF} -d ${file} OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "readelf failed on ${file}")
  endif()
  string(REGEX MATCHALL "\\(NEEDED\\)[^[]*\\[[^]]*\\]" entries "${dynamic}")
  set(names)
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE ".*\\[([^]]*)\\]" "\\1" name "${entry}")
    list(APPEND names ${name})
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()

function(expect file library wanted)
  needed_of(${file} names)
  list(FILTER names INCLUDE REGEX "^${library}\\.so")
  if(wanted AND NOT names)
    message(SEND_ERROR "${file} does not need ${library}")
  elseif(NOT wanted AND names)
    message(SEND_ERROR "${file} needs ${names}, which only its module may load")
  endif()
endfunction()

expect(${PROGRAM} libcurl FALSE)
expect(${PROGRAM} libpulse FALSE)
expect(${PROGRAM} libasound FALSE)
expect(${PROGRAM} libQt6Multimedia FALSE)
expect(${HTTP_MODULE} libcurl TRUE)
expect(${SOUND_MODULE} libpulse TRUE)
expect(${SOUND_MODULE} libasound TRUE)
