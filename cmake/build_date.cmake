# Writes the day of the build into OUTPUT, for the About window; the file is
# rewritten only when the day changed, so that other builds recompile nothing.
# SOURCE_DATE_EPOCH, when set, gives a reproducible date.
string(TIMESTAMP day "%Y-%m-%d" UTC)
set(content "#pragma once\n#define KIVO_BUILD_DATE L\"${day}\"\n")
set(old "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL content)
  file(WRITE "${OUTPUT}" "${content}")
endif()
