# Packs the release zip (run by the package target with cmake -P):
#   EXE         the built tapfinch.exe
#   SOURCE_DIR  the repository, for README.md and LICENSE
#   STAGE       a folder of this script's own, emptied first
#   ZIP         the zip to write; ZIP.sha256 gets its checksum
# Fixed order, permissions and dates, so that the same files make the same zip.
foreach(input EXE SOURCE_DIR STAGE ZIP)
  if(NOT DEFINED ${input})
    message(FATAL_ERROR "make-package.cmake needs -D${input}=...")
  endif()
endforeach()

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(COPY_FILE ${EXE} ${STAGE}/tapfinch.exe)
# .txt with CRLF line ends: a double click opens them in any Notepad.
foreach(pair "README.md;README.txt" "LICENSE;LICENSE.txt")
  list(GET pair 0 from)
  list(GET pair 1 to)
  file(READ ${SOURCE_DIR}/${from} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${STAGE}/${to} "${text}")
endforeach()
file(CHMOD ${STAGE}/tapfinch.exe PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                             WORLD_EXECUTE)
file(CHMOD ${STAGE}/README.txt ${STAGE}/LICENSE.txt PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# Every entry dated SOURCE_DATE_EPOCH when it is set, else the last
# commit's time. A zip keeps local times, so the packing runs in UTC.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct WORKING_DIRECTORY ${SOURCE_DIR}
                    OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
    if(NOT failed AND commit_time MATCHES "^[0-9]+$")
      set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
    endif()
  endif()
endif()
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ENV{SOURCE_DATE_EPOCH} 1767225600) # 2026-01-01
endif()
set(ENV{TZ} UTC)
set(files tapfinch.exe README.txt LICENSE.txt)

file(REMOVE ${ZIP} ${ZIP}.sha256)
# Info-ZIP's zip with -X keeps no owner and no access or change times, so
# the same files make the same zip. cmake -E tar's zips keep those of the
# staged copies, which differ from one packing to the next.
find_program(INFO_ZIP zip)
find_program(TOUCH touch)
set(failed 1)
if(INFO_ZIP AND TOUCH)
  execute_process(COMMAND ${TOUCH} -d @$ENV{SOURCE_DATE_EPOCH} ${files} WORKING_DIRECTORY ${STAGE}
                  RESULT_VARIABLE failed)
  if(NOT failed)
    execute_process(COMMAND ${INFO_ZIP} -X -D -q -9 ${ZIP} ${files} WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE failed)
  endif()
endif()
if(failed)
  file(REMOVE ${ZIP})
  string(TIMESTAMP mtime "%Y-%m-%d %H:%M:%S UTC" UTC)
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip "--mtime=${mtime}" -- ${files}
                  WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE failed)
endif()
if(failed)
  message(FATAL_ERROR "could not pack ${ZIP}")
endif()
file(SHA256 ${ZIP} hash)
get_filename_component(name ${ZIP} NAME)
file(WRITE ${ZIP}.sha256 "${hash}  ${name}\n")
message(STATUS "${name}: ${hash}")
