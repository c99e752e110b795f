cmake_minimum_required(VERSION 3.19)

# Fails when a source under SOURCES (src/) includes a header of a folder
# that its own folder may not include. Run as
#   cmake -DSOURCES=<src folder> -P include_rules.cmake
#
# The folders each folder may include besides itself, as README.md's
# "Code layout" table gives them.
set(may_include_app core filelist join commands check guard parts)
set(may_include_filelist core)
set(may_include_join core check parts)
set(may_include_commands core)
set(may_include_check parts)
set(may_include_parts "")
set(may_include_guard "")
set(may_include_core "")

if(NOT IS_DIRECTORY "${SOURCES}")
  message(FATAL_ERROR "No source folder: -DSOURCES=${SOURCES}")
endif()

file(GLOB folders LIST_DIRECTORIES true RELATIVE "${SOURCES}" "${SOURCES}/*")
set(checked 0)
set(violations "")
foreach(folder ${folders})
  if(NOT IS_DIRECTORY "${SOURCES}/${folder}")
    continue()
  endif()
  if(NOT DEFINED may_include_${folder})
    string(APPEND violations "\n  src/${folder}/ is not in the table")
    continue()
  endif()
  file(GLOB_RECURSE files RELATIVE "${SOURCES}" "${SOURCES}/${folder}/*.h" "${SOURCES}/${folder}/*.cpp")
  foreach(file ${files})
    math(EXPR checked "${checked} + 1")
    # Quoted and angle-bracket includes alike: src/ is on the include path.
    file(STRINGS "${SOURCES}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" header "${line}")
      # A path that climbs out of its folder names the folder it climbs into.
      string(REGEX REPLACE "^(\\.\\./)+" "" header "${header}")
      string(REGEX MATCH "^[^/]+/" target "${header}")
      string(REGEX REPLACE "/$" "" target "${target}")
      if(target STREQUAL "" OR target STREQUAL folder OR NOT target IN_LIST folders)
        continue()
      endif()
      if(NOT target IN_LIST may_include_${folder})
        string(APPEND violations "\n  src/${file}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "No sources found under ${SOURCES}")
endif()
if(violations)
  message(FATAL_ERROR "Includes the folder table does not allow:${violations}")
endif()
message(STATUS "${checked} sources, every include allowed")
