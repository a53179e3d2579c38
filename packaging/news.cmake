# SPDX-License-Identifier: MIT
# The release notes in NEWS at the root, read once at configure time into
# what the packages need: the Debian changelog and the AppStream release
# list. NEWS holds each release as a line "VERSION (YYYY-MM-DD)", a line
# of dashes, and its changes as "* " items continued on lines indented by
# two spaces; the newest release comes first and must be the project's
# version.

# Reads NEWS; sets in the caller PELMARO_RELEASES (the versions, newest
# first), PELMARO_RELEASE_DATE (the newest one's date) and, for each
# version V, PELMARO_RELEASE_<V>_DATE and PELMARO_RELEASE_<V>_ITEMS (a
# list, each item one line of text).
function(pelmaro_read_news news)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${news}")
  file(STRINGS "${news}" lines ENCODING UTF-8)
  set(releases "")
  set(version "")
  set(item "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^([0-9]+\\.[0-9]+\\.[0-9]+) \\(([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])\\)$")
      _pelmaro_news_item()
      set(version "${CMAKE_MATCH_1}")
      list(APPEND releases "${version}")
      set(date_${version} "${CMAKE_MATCH_2}")
      set(PELMARO_RELEASE_${version}_DATE "${CMAKE_MATCH_2}" PARENT_SCOPE)
      set(items_${version} "")
    elseif(version STREQUAL "")
      continue()  # the file's own introduction
    elseif(line MATCHES "^\\* (.*)$")
      _pelmaro_news_item()
      set(item "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^  +(.*)$" AND NOT item STREQUAL "")
      string(APPEND item " ${CMAKE_MATCH_1}")
    elseif(line MATCHES "^-+$" OR line STREQUAL "")
      _pelmaro_news_item()
    else()
      message(FATAL_ERROR "${news}: a line that is neither a release nor an item: ${line}")
    endif()
  endforeach()
  _pelmaro_news_item()
  if(NOT releases)
    message(FATAL_ERROR "${news} names no release")
  endif()
  list(GET releases 0 newest)
  if(NOT newest STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "${news} begins with ${newest}; the project is ${PROJECT_VERSION}: add its entry")
  endif()
  foreach(version IN LISTS releases)
    if(NOT items_${version})
      message(FATAL_ERROR "${news}: release ${version} lists no change")
    endif()
    set(PELMARO_RELEASE_${version}_ITEMS "${items_${version}}" PARENT_SCOPE)
  endforeach()
  set(PELMARO_RELEASES "${releases}" PARENT_SCOPE)
  set(PELMARO_RELEASE_DATE "${date_${newest}}" PARENT_SCOPE)
endfunction()

# Ends the item being read, if any (a macro: it works on the caller's variables).
macro(_pelmaro_news_item)
  if(NOT item STREQUAL "")
    string(REPLACE ";" "\\;" item "${item}")
    list(APPEND items_${version} "${item}")
    set(item "")
  endif()
endmacro()

# The day of the week of an ISO date, as a Debian changelog writes it.
function(_pelmaro_weekday date out)
  string(REGEX MATCH "^([0-9]+)-0*([0-9]+)-0*([0-9]+)$" _ "${date}")
  set(y ${CMAKE_MATCH_1})
  set(m ${CMAKE_MATCH_2})
  set(d ${CMAKE_MATCH_3})
  if(m LESS 3)
    math(EXPR m "${m} + 12")
    math(EXPR y "${y} - 1")
  endif()
  # Zeller's congruence: 0 is Saturday.
  math(EXPR h "(${d} + (13 * (${m} + 1)) / 5 + ${y} + ${y} / 4 - ${y} / 100 + ${y} / 400) % 7")
  list(GET _pelmaro_days ${h} day)
  set(${out} "${day}" PARENT_SCOPE)
endfunction()
set(_pelmaro_days Sat Sun Mon Tue Wed Thu Fri)
set(_pelmaro_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)

# Words of TEXT filled into lines of at most WIDTH characters, the first
# begun with FIRST and the rest with REST; appended to the variable OUT.
function(_pelmaro_fill paragraph width first rest out)
  string(ASCII 26 semicolon)  # kept apart from the list's separators
  string(REPLACE ";" "${semicolon}" paragraph "${paragraph}")
  string(REPLACE " " ";" words "${paragraph}")
  set(filled "")
  set(line "${first}")
  set(empty TRUE)
  foreach(word IN LISTS words)
    string(LENGTH "${line} ${word}" length)
    if(empty)
      string(APPEND line "${word}")
      set(empty FALSE)
    elseif(length GREATER width)
      string(APPEND filled "${line}\n")
      set(line "${rest}${word}")
    else()
      string(APPEND line " ${word}")
    endif()
  endforeach()
  string(APPEND filled "${line}\n")
  string(REPLACE "${semicolon}" ";" filled "${filled}")
  set(${out} "${${out}}${filled}" PARENT_SCOPE)
endfunction()

# Writes the Debian changelog of every release in NEWS to FILE, signed by
# MAINTAINER ("Name <address>").
function(pelmaro_debian_changelog file package maintainer)
  set(text "")
  foreach(version IN LISTS PELMARO_RELEASES)
    set(date "${PELMARO_RELEASE_${version}_DATE}")
    _pelmaro_weekday("${date}" day)
    string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _ "${date}")
    math(EXPR month "${CMAKE_MATCH_2} - 1")
    list(GET _pelmaro_months ${month} month)
    string(APPEND text "${package} (${version}) unstable; urgency=medium\n\n")
    foreach(item IN LISTS PELMARO_RELEASE_${version}_ITEMS)
      _pelmaro_fill("${item}" 79 "  * " "    " text)
    endforeach()
    string(APPEND text "\n -- ${maintainer}  ${day}, ${CMAKE_MATCH_3} ${month} ${CMAKE_MATCH_1} 12:00:00 +0000\n\n")
  endforeach()
  string(REGEX REPLACE "\n\n$" "\n" text "${text}")
  file(WRITE "${file}" "${text}")
endfunction()

# The AppStream <release> elements of every release in NEWS, for a
# metainfo file; set in the variable OUT.
function(pelmaro_appstream_releases out)
  set(text "")
  foreach(version IN LISTS PELMARO_RELEASES)
    string(APPEND text "    <release version=\"${version}\" date=\"${PELMARO_RELEASE_${version}_DATE}\">\n"
                       "      <description>\n        <ul>\n")
    foreach(item IN LISTS PELMARO_RELEASE_${version}_ITEMS)
      string(REPLACE "&" "&amp;" item "${item}")
      string(REPLACE "<" "&lt;" item "${item}")
      string(REPLACE ">" "&gt;" item "${item}")
      string(APPEND text "          <li>${item}</li>\n")
    endforeach()
    string(APPEND text "        </ul>\n      </description>\n    </release>\n")
  endforeach()
  string(REGEX REPLACE "\n$" "" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
