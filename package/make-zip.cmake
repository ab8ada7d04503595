# Lays out the release package in a scratch folder and zips it; run as a script
# (cmake -P) with
#   -DEXE=<the built kivo.exe> -DSTRIP=<strip> -DZIP=<zip> -DSOURCE=<the checkout>
#   -DHELP=<the .chm files, ;-separated> -DSTAGE=<scratch folder> -DTOP=<the one folder in the zip>
#   -DOUTPUT=<the .zip to make>
# The sample data goes beside kivo.exe: Kivo's data folder is the folder it is
# started in, and a double click in Explorer starts it in its own folder.
foreach(arg EXE STRIP ZIP SOURCE HELP STAGE TOP OUTPUT)
  if(NOT ${arg})
    message(FATAL_ERROR "make-zip.cmake: ${arg} is not set")
  endif()
endforeach()

set(top "${STAGE}/${TOP}")
file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${top}")

file(COPY "${SOURCE}/examples/data/" DESTINATION "${top}")
file(COPY "${SOURCE}/res/Languages/" DESTINATION "${top}/Languages" FILES_MATCHING PATTERN "*.lng")
file(COPY ${HELP} DESTINATION "${top}")
file(COPY "${SOURCE}/package/KivoRedir.ini" DESTINATION "${top}")
# Notepad before Windows 10 shows a file with bare LFs as one long line.
file(READ "${SOURCE}/LICENSE" license)
string(REPLACE "\r\n" "\n" license "${license}")
string(REPLACE "\n" "\r\n" license "${license}")
file(WRITE "${top}/License.txt" "${license}")

# Symbols and debug sections only: the resources (icon, manifest, version) stay.
execute_process(COMMAND "${STRIP}" --strip-all -o "${top}/kivo.exe" "${EXE}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${STRIP} failed on ${EXE}")
endif()

# Sorted names and no extra fields (-X), no directory entries (-D): the same
# files give the same listing, whatever order the file system keeps them in.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${STAGE}" "${top}/*")
list(SORT files)
set(partial "${OUTPUT}.new")
file(REMOVE "${partial}")
execute_process(COMMAND "${ZIP}" -q -X -D -9 "${partial}" ${files}
                WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${ZIP} failed (exit ${result})")
endif()
file(RENAME "${partial}" "${OUTPUT}")

file(SIZE "${OUTPUT}" zip_size)
file(SIZE "${top}/kivo.exe" exe_size)
message(STATUS "Release package: ${OUTPUT} (${zip_size} bytes; kivo.exe ${exe_size} bytes)")
