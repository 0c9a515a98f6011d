# Cross build for 64-bit Windows with Debian's mingw-w64 g++, tests run under Wine:
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#   cmake --build build/windows && ctest --test-dir build/windows
# The executables are linked statically, so they need no DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUELT_MINGW_TRIPLET x86_64-w64-mingw32)

# The posix-threads variant first: its runtime has std::thread and std::mutex.
find_program(CMAKE_CXX_COMPILER NAMES ${QUELT_MINGW_TRIPLET}-g++-posix ${QUELT_MINGW_TRIPLET}-g++
             REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${QUELT_MINGW_TRIPLET}-gcc-posix ${QUELT_MINGW_TRIPLET}-gcc
             REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${QUELT_MINGW_TRIPLET}-windres)

# Libraries, headers and packages come from the target's root only, never from the
# build machine's; programs run during the build are the build machine's own.
set(CMAKE_FIND_ROOT_PATH /usr/${QUELT_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Test programs run under Wine and start the tool there too: quietly, without the
# .NET and HTML engines a new Wine prefix would offer to fetch, in a prefix of the
# build folder's own. tools/test.sh starts that prefix's Wine server beforehand.
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(QUELT_WINE NAMES wine)
  if(QUELT_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        ${CMAKE_COMMAND} -E env WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix WINEDEBUG=-all
        WINEDLLOVERRIDES=mscoree,mshtml= ${QUELT_WINE})
  endif()
endif()
