# Run by cpack between staging the install and building the package (CPACK_PRE_BUILD_SCRIPTS).
# Adds what a Debian binary package carries beyond the install rules, so that cmake --install
# stays plain: the manual page compressed, a changelog, and a machine-readable copyright file
# that takes the LICENSE file's place. Other generators are left alone.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()

set(root "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(docdir "${root}/${CPACK_BRENDIX_DOCDIR}")

# Debian compresses manual pages and changelogs at the highest level, without a timestamp,
# so that the same sources give the same package.
function(gzip_in_place path)
  execute_process(COMMAND gzip -9nf "${path}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${path}")
  endif()
endfunction()

file(GLOB pages "${root}/${CPACK_BRENDIX_MANDIR}/man1/*.1")
foreach(page IN LISTS pages)
  gzip_in_place("${page}")
endforeach()

# The package's version is the project's, with no Debian revision: a native package, whose
# changelog is changelog.gz. SOURCE_DATE_EPOCH, when set, fixes the date.
string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE "${docdir}/changelog"
"${CPACK_PACKAGE_NAME} (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium

  * Brendix32 ${CPACK_PACKAGE_VERSION}, packaged from the project's sources.

 -- ${CPACK_DEBIAN_PACKAGE_MAINTAINER}  ${date}
")
gzip_in_place("${docdir}/changelog")

# The copyright file repeats the licence in Debian's format: holders from its copyright line,
# the permission text as a continuation field ("." for an empty line).
file(STRINGS "${CPACK_RESOURCE_FILE_LICENSE}" holder REGEX "^Copyright \\(c\\) ")
string(REGEX REPLACE "^Copyright \\(c\\) " "" holder "${holder}")
file(READ "${CPACK_RESOURCE_FILE_LICENSE}" licence)
string(FIND "${licence}" "Permission is hereby granted" start)
string(SUBSTRING "${licence}" ${start} -1 licence)
string(STRIP "${licence}" licence)
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " licence "${licence}")
file(WRITE "${docdir}/copyright"
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Brendix32

Files: *
Copyright: ${holder}
License: Expat
 ${licence}
")

# The copyright file is where Debian looks for the licence; a second copy is noise.
file(REMOVE "${docdir}/LICENSE")

file(CHMOD "${docdir}/changelog.gz" "${docdir}/copyright"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
