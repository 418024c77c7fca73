# cmake -DFROM=<delivered program directory> -DRUN=<directory the planner runs in>
#       -DRECORD=<file> -P FillRunDirectory.cmake
#
# Brings the directory that the planner runs in up to date with what the build delivers.
# Programs, language packages, the help page and the data files are replaced whenever the
# delivered ones change. The files under User/ belong to the user once delivered: one is
# copied when it is missing, and replaced by a newer delivered version only while the user has
# left it exactly as it was last delivered (its SHA-256 is kept in RECORD). So filling it again
# never overwrites a user's plans, logs or settings, and the delivered directory is never written.

foreach(var FROM RUN RECORD)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "FillRunDirectory.cmake needs -D${var}=...")
  endif()
endforeach()

# What was last delivered into RUN for each user file: "<sha256> <path under FROM>" lines.
if(EXISTS "${RECORD}")
  file(STRINGS "${RECORD}" lines)
  foreach(line IN LISTS lines)
    if(line MATCHES "^([0-9a-f]+) (.+)$")
      string(MAKE_C_IDENTIFIER "${CMAKE_MATCH_2}" id)
      set(last_${id} "${CMAKE_MATCH_1}")
    endif()
  endforeach()
endif()

file(GLOB_RECURSE delivered LIST_DIRECTORIES false RELATIVE "${FROM}" "${FROM}/*")
list(SORT delivered)
set(record "")
foreach(rel IN LISTS delivered)
  get_filename_component(dir "${RUN}/${rel}" DIRECTORY)
  if(NOT rel MATCHES "^User/")
    # Skipped when the copy already carries the delivered file's time stamp.
    file(COPY "${FROM}/${rel}" DESTINATION "${dir}")
    continue()
  endif()
  string(MAKE_C_IDENTIFIER "${rel}" id)
  file(SHA256 "${FROM}/${rel}" new)
  set(kept "${new}")
  if(NOT EXISTS "${RUN}/${rel}")
    file(COPY "${FROM}/${rel}" DESTINATION "${dir}")
  else()
    file(SHA256 "${RUN}/${rel}" current)
    if(NOT current STREQUAL new)
      if(DEFINED last_${id} AND current STREQUAL last_${id})
        file(COPY "${FROM}/${rel}" DESTINATION "${dir}")
      elseif(DEFINED last_${id})
        # The user's own version: it stays, and so does the record of what was delivered.
        set(kept "${last_${id}}")
      else()
        set(kept "")
      endif()
    endif()
  endif()
  if(kept)
    string(APPEND record "${kept} ${rel}\n")
  endif()
endforeach()
file(WRITE "${RECORD}.tmp" "${record}")
file(RENAME "${RECORD}.tmp" "${RECORD}")
