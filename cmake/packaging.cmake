# Packages made by CPack from the install rules: a .deb on Linux (cpack -G DEB),
# a .zip of the Windows build (cpack -G ZIP). tools/package.sh makes both.
# The .deb's maintainer and its changelog's author. The default names no person
# and an address of a domain reserved for examples; whoever publishes the
# packages sets their own: -DQUELT_PACKAGE_MAINTAINER="Name <address>".
set(QUELT_PACKAGE_MAINTAINER "quelt authors <quelt@example.org>" CACHE STRING
    "The packages' maintainer, as Name <email address>")

set(CPACK_PACKAGE_NAME quelt)
set(CPACK_PACKAGE_VENDOR "the quelt authors")
set(CPACK_PACKAGE_CONTACT ${QUELT_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "cut the data files of one software set out of a D88 floppy-image file")
set(CPACK_PACKAGE_DESCRIPTION [=[
quelt finds the demo, main and scenario disks of one software set in a D88
floppy-image file and writes their data files into the current directory.
quelt-ls lists the disks and files of an image and what quelt makes of each
disk; quelt-cp copies any file off a disk; quelt-join joins disks kept one a
file, or in an archive, into one image, or the set quelt takes from them;
quelt-sample-set writes a made-up sample set to try them on.]=])
# The programs as users get them: without their symbol tables.
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_PACKAGE_CHECKSUM SHA256)

# Debian: installed under /usr. The dependencies are what dpkg-shlibdeps reads
# off the programs (the C and C++ runtimes they link, quelt-ls's zlib and
# OpenSSL libcrypto, and the companions' GNU libunistring and libarchive:
# zlib1g, libssl3, libunistring2, libarchive13), so they stay right for
# whichever compiler and release build the package.
if(NOT WIN32)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUELT_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# Windows: a .zip holding one folder with the programs and their documents.
if(WIN32)
  set(CPACK_SYSTEM_NAME win64)
endif()

include(CPack)
