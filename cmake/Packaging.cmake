# Install rules and packages. Only the program and its documents are installed: the test
# programs, the seam program, the example generator and the benchmark have no install rules,
# and GoogleTest, built from source in cross builds, has its own turned off.
#   Linux:   cmake --install build --prefix P
#            cpack --config build/CPackConfig.cmake -G DEB
#   Windows: cpack --config build-win/CPackConfig.cmake -G ZIP

# Debian names documentation directories after the package, which is lower case.
set(CMAKE_INSTALL_DOCDIR "share/doc/brendix32" CACHE PATH "Documentation directory")
include(GNUInstallDirs)

set(BRENDIX_PACKAGE_MAINTAINER "Brendix32 developers <maintainers@brendix32.example>"
    CACHE STRING "Maintainer field of the Debian package")

if(WIN32)
  # A zip to unpack anywhere: the program beside its README and licence.
  install(TARGETS Brendix32 RUNTIME DESTINATION .)
  install(FILES README.md LICENSE DESTINATION .)
else()
  configure_file(doc/Brendix32.1.in ${CMAKE_BINARY_DIR}/Brendix32.1 @ONLY)
  install(TARGETS Brendix32 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_BINARY_DIR}/Brendix32.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES README.md LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
endif()

set(CPACK_PACKAGE_NAME brendix32)
set(CPACK_PACKAGE_VENDOR "the Brendix32 developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "checker and repairer of emulated tape files (AWS, HET, FKT)")
set(CPACK_PACKAGE_DESCRIPTION
"Brendix32 checks emulated tape files in the AWS and HET formats (6-byte binary
block headers) and the FKT format (12-character hexadecimal headers), and
repairs those whose tail is broken. It walks each file's block headers from
the start, passing over the data; at the first header that is cut short or
malformed it cuts the file back after the last complete block or tapemark.
A file that reads cleanly to its end, or that does not begin with a valid
header, is left alone. A read-only mode reports damage without changing
anything.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# Packages land in the build directory wherever cpack is started from.
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})

set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${BRENDIX_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianPackage.cmake)
  set(CPACK_BRENDIX_DOCDIR ${CMAKE_INSTALL_DOCDIR})
  set(CPACK_BRENDIX_MANDIR ${CMAKE_INSTALL_MANDIR})
endif()
include(CPack)
