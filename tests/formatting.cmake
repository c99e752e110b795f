cmake_minimum_required(VERSION 3.19)

# Fails when a source under SOURCES is not as .clang-format writes it. Run as
#   cmake -DSOURCES=<src folder> -DCLANG_FORMAT=<clang-format> -P formatting.cmake
if(NOT CLANG_FORMAT OR NOT EXISTS "${CLANG_FORMAT}")
  message(FATAL_ERROR "clang-format is missing: the test command installs it")
endif()
file(GLOB_RECURSE files "${SOURCES}/*.cpp" "${SOURCES}/*.h")
execute_process(COMMAND "${CLANG_FORMAT}" --dry-run --Werror ${files}
  RESULT_VARIABLE result ERROR_VARIABLE complaints)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Not formatted as .clang-format says (clang-format -i fixes it):\n${complaints}")
endif()
list(LENGTH files count)
message(STATUS "${count} sources formatted")
