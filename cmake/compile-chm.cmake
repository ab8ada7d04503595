# Compiles one HTML Help project with chmcmd; run as a script (cmake -P) with
#   -DCHMCMD=<chmcmd> -DSOURCE=<folder of the project> -DPROJECT=<name of the .hhp>
#   -DWORK=<scratch folder> -DOUTPUT=<the .chm to make> [-DSHARED=<files every language uses>]
# chmcmd writes the .chm beside the project, so the project is compiled in a copy and the
# source tree stays clean. It answers 0 even when it finds no project and reports missing
# files and broken links only as warnings: a missing .chm, a non-zero answer or any warning
# fails the build. Its output is shown only then.
foreach(arg CHMCMD SOURCE PROJECT WORK OUTPUT)
  if(NOT ${arg})
    message(FATAL_ERROR "compile-chm.cmake: ${arg} is not set")
  endif()
endforeach()

file(REMOVE "${OUTPUT}")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${SOURCE}/" DESTINATION "${WORK}")
if(SHARED)
  file(COPY ${SHARED} DESTINATION "${WORK}")
endif()

# The name chmcmd gives the .chm: "Compiled file=" in the project.
file(STRINGS "${WORK}/${PROJECT}" compiled REGEX "^Compiled file=")
string(REGEX REPLACE "^Compiled file=" "" compiled "${compiled}")
string(STRIP "${compiled}" compiled)
if(compiled STREQUAL "")
  message(FATAL_ERROR "${SOURCE}/${PROJECT} names no compiled file")
endif()

execute_process(COMMAND "${CHMCMD}" "${PROJECT}"
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0 OR NOT EXISTS "${WORK}/${compiled}" OR out MATCHES "[Ww]arning|[Ee]rror")
  string(STRIP "${out}\n${err}" said)
  message(FATAL_ERROR "chmcmd failed on ${SOURCE}/${PROJECT} (exit ${result}):\n${said}")
endif()
file(RENAME "${WORK}/${compiled}" "${OUTPUT}")
