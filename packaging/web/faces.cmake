# The faces the page carries where a system lacks the fonts the game names: subsets of Debian's
# look-alikes with the same metrics, cut by pyftsubset (python3-fonttools, with python3-brotli for
# WOFF2) to the characters the game shows in each, and each font's licence in the site as its
# terms ask. The controls' style sheet (ui/web/style.css) declares them behind the system's own
# fonts (local()); prerender.mjs writes them into index.html's copy of it, so that the first frame
# waits for no file. Sets face_files (the faces, in the build tree) and face_licences.
#   "Comic Sans MS" 14.25 pt regular, the status line: Comic Neue Regular (SIL OFL 1.1, no
#   reserved name), its licence and copyright from Debian's copyright file.
#   "Arial" 12 and 14.25 pt bold, "Total Clicks:", the counter and the tiles: Liberation Sans Bold
#   1.07 (GPL 2 with the font exception, and Red Hat's terms: a modified copy's file names must
#   not name the trademark, hence sans-bold, and the subset keeps no font name but the copyright
#   and the licence).

set(QUARVEL_FONT_PYTHON /usr/bin/python3 CACHE FILEPATH "The Python with Debian's fontTools and brotli")
set(QUARVEL_COMIC_FONT /usr/share/fonts/opentype/comic-neue/ComicNeue-Regular.otf
    CACHE FILEPATH "Comic Neue Regular, from fonts-comic-neue")
set(QUARVEL_SANS_FONT /usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
    CACHE FILEPATH "Liberation Sans Bold, from fonts-liberation")

# The texts of the game in each face; the browser tests check that every glyph of them is there.
set(comic_text "Arrange the numbers from 1 to 8" "You are the winner!")
set(sans_text "Total Clicks:" "0123456789")

set(face_files)
function(quarvel_face font output names)
  list(JOIN ARGN "" text)
  add_custom_command(
    OUTPUT "${CMAKE_CURRENT_BINARY_DIR}/${output}"
    COMMAND "${QUARVEL_FONT_PYTHON}" -m fontTools.subset "${font}" "--text=${text}"
            --flavor=woff2 "--name-IDs=${names}" --no-recalc-timestamp
            "--output-file=${CMAKE_CURRENT_BINARY_DIR}/${output}"
    DEPENDS "${font}"
    COMMENT "Cutting ${output} from ${font}"
    VERBATIM)
  set(face_files ${face_files} "${CMAKE_CURRENT_BINARY_DIR}/${output}" PARENT_SCOPE)
endfunction()
quarvel_face("${QUARVEL_COMIC_FONT}" comic-neue-regular.woff2 "*" ${comic_text})
quarvel_face("${QUARVEL_SANS_FONT}" sans-bold.woff2 "0,13,14" ${sans_text})

# The licences, from the packages' copyright files.
file(READ /usr/share/doc/fonts-comic-neue/copyright comic_copyright)
file(READ /usr/share/doc/fonts-liberation/copyright sans_copyright)
file(READ /usr/share/common-licenses/GPL-2 gpl2)
configure_file(faces/comic-neue-regular.txt.in "${QUARVEL_SITE_DIR}/comic-neue-regular.txt" @ONLY)
configure_file(faces/sans-bold.txt.in "${QUARVEL_SITE_DIR}/sans-bold.txt" @ONLY)
set(face_licences "${QUARVEL_SITE_DIR}/comic-neue-regular.txt" "${QUARVEL_SITE_DIR}/sans-bold.txt")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS /usr/share/doc/fonts-comic-neue/copyright
             /usr/share/doc/fonts-liberation/copyright /usr/share/common-licenses/GPL-2)
