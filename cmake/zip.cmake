# Packs every file of DIR into the zip ZIP so that the same files always give the same bytes:
# entries in the order of their names, each with the mode rw-r--r--, dated by
# scripts/source-date.sh in UTC (a zip holds local times, so the builder's time zone would
# show), and with no owner and no access or change times (zip -X). Run at build time:
#   cmake -DZIP=/abs/out.zip -DDIR=/abs/folder -P cmake/zip.cmake

file(GLOB_RECURSE names RELATIVE "${DIR}" LIST_DIRECTORIES false "${DIR}/*")
list(SORT names)
if(NOT names)
  message(FATAL_ERROR "${DIR} holds no file")
endif()
execute_process(COMMAND "${CMAKE_CURRENT_LIST_DIR}/../scripts/source-date.sh"
                OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

# The copies take the time and the mode, so that DIR stays as its build left it.
set(stage "${ZIP}.files")
file(REMOVE_RECURSE "${stage}")
foreach(name IN LISTS names)
  get_filename_component(folder "${stage}/${name}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(COPY_FILE "${DIR}/${name}" "${stage}/${name}")
  file(CHMOD "${stage}/${name}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()
execute_process(COMMAND touch -d "@${date}" ${names} WORKING_DIRECTORY "${stage}"
                COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE "${ZIP}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env TZ=UTC zip -X -D -q -9 "${ZIP}" ${names}
                WORKING_DIRECTORY "${stage}" COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE "${stage}")
