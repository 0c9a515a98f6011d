# A test: installs the build in BUILD into a fresh prefix and checks that exactly
# the programs, their manual pages and documents land there (nothing
# of GoogleTest, no test program). WINDOWS says which layout to expect, EXE the
# programs' file-name suffix.
#
#   cmake -DBUILD=<build folder> -DWINDOWS=ON|OFF -DEXE=<suffix> -P check-install.cmake
set(programs quelt quelt-ls quelt-cp quelt-join quelt-sample-set)
if(WINDOWS)
  # The drop target has no page of its own: README-Windows.txt tells of it.
  set(expected LICENSE README-Windows.txt NOTICES.txt quelt-drop${EXE})
  foreach(program IN LISTS programs)
    list(APPEND expected ${program}${EXE})
    # The HTML pages are made when the build found mandoc.
    if(EXISTS ${BUILD}/documents/${program}.html)
      list(APPEND expected ${program}.html)
    endif()
  endforeach()
else()
  set(expected share/doc/quelt/README.md share/doc/quelt/LICENSE share/doc/quelt/copyright
               share/doc/quelt/changelog.gz)
  foreach(program IN LISTS programs)
    list(APPEND expected bin/${program} share/man/man1/${program}.1.gz)
  endforeach()
endif()

# A prefix of this run's own, so that two runs at once never share it.
string(RANDOM LENGTH 12 run)
set(prefix ${BUILD}/install-check-${run})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                OUTPUT_QUIET RESULT_VARIABLE status)
file(GLOB_RECURSE installed RELATIVE ${prefix} ${prefix}/*)
file(REMOVE_RECURSE ${prefix})
list(SORT installed)
list(SORT expected)
if(NOT status EQUAL 0 OR NOT installed STREQUAL expected)
  message(FATAL_ERROR "cmake --install (status ${status}) installed:\n  ${installed}\n"
                      "expected:\n  ${expected}")
endif()
