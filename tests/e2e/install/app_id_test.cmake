# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -P app_id_test.cmake: the application ID for several maker hosts. The
# launcher, icons and metainfo file are named after it, and AppStream rejects
# IDs with hyphens or with parts that begin with a digit.
include(${CMAKE_CURRENT_LIST_DIR}/../../../packaging/AppId.cmake)

function(expect host wanted)
  klemvar_application_id(id "${host}")
  if(id STREQUAL wanted)
    message(STATUS "ok ${host} -> ${id}")
  else()
    message(SEND_ERROR "${host}: got ${id}, wanted ${wanted}")
  endif()
endfunction()

expect("quorbel.example" "example.quorbel.Klemvar")
expect("www.Quorbel.Example" "example.quorbel.www.Klemvar")
expect("my-site.9example.org" "org._9example.my_site.Klemvar")
expect("localhost" "localhost.Klemvar")
