# SPDX-License-Identifier: GPL-3.0-or-later
# The application ID: the maker's host in reverse order with the product name
# appended ("quorbel.example" -> "example.quorbel.Klemvar"). The launcher, the
# icons, the metainfo file and the desktop file name the program announces all
# carry it, so desktops can match the running program to its launcher.
#
# Hyphens are not allowed in AppStream IDs and no part may begin with a digit,
# so those are mended the way the AppStream guidelines suggest.
function(klemvar_application_id out host)
  string(TOLOWER "${host}" host)
  string(REPLACE "." ";" parts "${host}")
  list(REVERSE parts)
  set(id "")
  foreach(part IN LISTS parts)
    string(REPLACE "-" "_" part "${part}")
    if(part MATCHES "^[0-9]")
      set(part "_${part}")
    endif()
    list(APPEND id "${part}")
  endforeach()
  list(APPEND id Klemvar)
  list(JOIN id "." id)
  set(${out} "${id}" PARENT_SCOPE)
endfunction()

klemvar_application_id(KLEMVAR_APP_ID "${KLEMVAR_MAKER_HOST}")
