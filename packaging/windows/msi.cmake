# Builds the installer MSI with wixl from WXS in STAGE, the folder that holds the files it names,
# so that the same files always give the same bytes. wixl (0.101) dates the package's summary
# by the clock, the cabinet's files by their modification times, and draws a new package code
# at random on every run, with no option for any of them. So the files are dated
# scripts/source-date.sh's date, wixl runs on a clock stopped at that date (faketime), and the
# package code is then set with msibuild to one derived from the package itself: a name-based
# UUID of the hash of the package holding a zero code, which changes exactly when the package
# does.
#   cmake -DWIXL=wixl -DSTAGE=... -DWXS=quarvel.wxs -DMSI=out.msi -DVERSION=1.00
#         -DPRODUCT_CODE=... -DUPGRADE_CODE=... -P msi.cmake

execute_process(COMMAND "${CMAKE_CURRENT_LIST_DIR}/../../scripts/source-date.sh"
                OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
file(GLOB files "${STAGE}/*")
execute_process(COMMAND touch -d "@${date}" ${files} COMMAND_ERROR_IS_FATAL ANY)
set(ENV{SOURCE_DATE_EPOCH} "${date}")
string(TIMESTAMP clock "%Y-%m-%d %H:%M:%S" UTC)

set(scratch "${MSI}.new")
file(REMOVE "${scratch}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env TZ=UTC faketime -f "${clock}"
          "${WIXL}" -a x64 -D "Version=${VERSION}" -D "ProductCode=${PRODUCT_CODE}"
          -D "UpgradeCode=${UPGRADE_CODE}" -o "${scratch}" "${WXS}"
  WORKING_DIRECTORY "${STAGE}" COMMAND_ERROR_IS_FATAL ANY)

# msibuild -s sets the subject, author and template along with the code: they are given back
# as wixl wrote them.
execute_process(COMMAND msiinfo suminfo "${scratch}" OUTPUT_VARIABLE summary COMMAND_ERROR_IS_FATAL ANY)
foreach(field Subject Author Template)
  if(NOT summary MATCHES "(^|\n)${field}: ([^\n]*)")
    message(FATAL_ERROR "msiinfo shows no ${field} in ${scratch}:\n${summary}")
  endif()
  set(${field} "${CMAKE_MATCH_2}")
endforeach()
execute_process(COMMAND msibuild "${scratch}" -s "${Subject}" "${Author}" "${Template}"
                        "{00000000-0000-0000-0000-000000000000}" COMMAND_ERROR_IS_FATAL ANY)
file(SHA256 "${scratch}" digest)
string(UUID package_code NAMESPACE "${UPGRADE_CODE}" NAME "${digest}" TYPE SHA1 UPPER)
execute_process(COMMAND msibuild "${scratch}" -s "${Subject}" "${Author}" "${Template}"
                        "{${package_code}}" COMMAND_ERROR_IS_FATAL ANY)
file(RENAME "${scratch}" "${MSI}")
