# The libraries quelt-ls links beyond the standard library, for its hashes and
# its JSON (tools/packages.txt names their Debian packages):
# - zlib's crc32: the system's zlib on Linux, mingw-w64's static zlib in the
#   Windows build (its notice is in packaging/windows/NOTICES.txt);
# - MD5 and SHA-1: OpenSSL's libcrypto on Linux, Windows' own CNG (bcrypt.dll)
#   in the Windows build;
# - nlohmann-json, header-only: only its own folder is put on the include path,
#   copied into the build folder, so that a cross build sees no other header
#   of the build machine's /usr/include.

if(WIN32)
  # Static, so that the .exe files need no DLL beside them.
  find_library(QUELT_ZLIB NAMES libz.a z zlibstatic zlib REQUIRED)
  target_link_libraries(quelt_lister PRIVATE ${QUELT_ZLIB} bcrypt)
  target_sources(quelt_lister PRIVATE lister/crypto_digests_bcrypt.cpp)
  find_path(QUELT_ZLIB_INCLUDE zlib.h REQUIRED)
  target_include_directories(quelt_lister PRIVATE ${QUELT_ZLIB_INCLUDE})
else()
  find_package(ZLIB REQUIRED)
  find_package(OpenSSL REQUIRED COMPONENTS Crypto)
  target_link_libraries(quelt_lister PRIVATE ZLIB::ZLIB OpenSSL::Crypto)
  target_sources(quelt_lister PRIVATE lister/crypto_digests_libcrypto.cpp)
endif()

find_path(QUELT_NLOHMANN_JSON_ROOT nlohmann/json.hpp PATHS /usr/include /usr/local/include
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(QUELT_JSON_INCLUDE ${CMAKE_BINARY_DIR}/json-include)
file(COPY ${QUELT_NLOHMANN_JSON_ROOT}/nlohmann DESTINATION ${QUELT_JSON_INCLUDE})
# SYSTEM: the library's own code is not held to this project's warnings.
target_include_directories(quelt_lister SYSTEM PUBLIC ${QUELT_JSON_INCLUDE})
