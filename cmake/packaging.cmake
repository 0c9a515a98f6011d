# Packages made by CPack from the install rules: a .deb on Linux (cpack -G DEB),
# a .zip of the Windows build (cpack -G ZIP). tools/package.sh makes both.
set(CPACK_PACKAGE_NAME quelt)
set(CPACK_PACKAGE_VENDOR "the quelt authors")
set(CPACK_PACKAGE_CONTACT "the quelt authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "cut the data files of one software set out of a D88 floppy-image file")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_PACKAGE_CHECKSUM SHA256)

# Debian: installed under /usr. The dependencies are what dpkg-shlibdeps reads
# off the programs (the C and C++ runtimes they link), so they stay right for
# whichever compiler and release build the package.
if(NOT WIN32)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# Windows: a .zip holding one folder with the programs, README and LICENSE.
if(WIN32)
  set(CPACK_SYSTEM_NAME win64)
endif()

include(CPack)
