# Run by the build once the site folder is complete (cmake -P): writes SITE_DIR/sw.js from
# TEMPLATE with every other file of the folder and a version made of their names and content,
# then weighs each file raw and gzipped into REPORT and fails when the whole passes LIMIT bytes
# gzipped.
#   cmake -DSITE_DIR=... -DTEMPLATE=.../sw.js -DREPORT=... -DLIMIT=81920 -P site.cmake

file(GLOB_RECURSE files RELATIVE "${SITE_DIR}" LIST_DIRECTORIES false "${SITE_DIR}/*")
list(REMOVE_ITEM files sw.js)
list(SORT files)
if(NOT files)
  message(FATAL_ERROR "${SITE_DIR} holds no file")
endif()

set(digests "")
set(quoted "")
foreach(file ${files})
  file(SHA256 "${SITE_DIR}/${file}" digest)
  string(APPEND digests "${file} ${digest}\n")
  list(APPEND quoted "'${file}'")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING "${version}" 0 16 QUARVEL_SITE_VERSION)
list(JOIN quoted ", " QUARVEL_SITE_FILES)
# configure_file leaves sw.js untouched when its content is the same.
configure_file("${TEMPLATE}" "${SITE_DIR}/sw.js" @ONLY)

# Deflate at level 9 (zlib, in a gzip wrapper), as a static host or a build step would send them.
set(scratch "${REPORT}.gz")
set(report "")
set(raw_total 0)
set(gzip_total 0)
foreach(file ${files} sw.js)
  file(SIZE "${SITE_DIR}/${file}" raw)
  file(ARCHIVE_CREATE OUTPUT "${scratch}" PATHS "${SITE_DIR}/${file}" FORMAT raw
       COMPRESSION GZip COMPRESSION_LEVEL 9)
  file(SIZE "${scratch}" packed)
  math(EXPR raw_total "${raw_total} + ${raw}")
  math(EXPR gzip_total "${gzip_total} + ${packed}")
  string(APPEND report "${raw}\t${packed}\t${file}\n")
endforeach()
file(REMOVE "${scratch}")
string(APPEND report "${raw_total}\t${gzip_total}\ttotal (the first visit, limit ${LIMIT} gzipped)\n")
file(WRITE "${REPORT}" "bytes\tgzipped\tfile\n${report}")
if(gzip_total GREATER LIMIT)
  message(FATAL_ERROR "the site weighs ${gzip_total} bytes gzipped, more than ${LIMIT}:\n${report}")
endif()
