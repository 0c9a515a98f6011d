# Installs the documents beside the programs: the license everywhere;
# elsewhere than on Windows README, the manual pages, compressed as Debian
# installs them, with a changelog and a copyright file in Debian's formats; on
# Windows the manual pages as HTML (when mandoc is here), the text for Windows
# users (in Japanese and English, with a byte-order mark so that every Notepad
# reads it as UTF-8) and the notices of the runtime linked into the .exe
# files, with Windows line ends. README.md tells how to build and install on
# Linux (sudo, apt-get, bash): README-Windows.txt takes its place in the .zip.
set(QUELT_PAGES quelt quelt-ls quelt-cp quelt-join quelt-sample-set)
set(QUELT_DOCUMENTS ${CMAKE_CURRENT_BINARY_DIR}/documents)
file(MAKE_DIRECTORY ${QUELT_DOCUMENTS})
install(FILES LICENSE DESTINATION ${QUELT_INSTALL_DOCDIR})

# Makes OUTPUT from INPUT with the shell command COMMAND... (its standard output).
function(quelt_document output input)
  add_custom_command(OUTPUT ${output} COMMAND ${ARGN} > ${output} DEPENDS ${input})
endfunction()

if(NOT WIN32)
  # -n keeps names and times out of the archives, so the same pages give the same bytes.
  find_program(QUELT_GZIP gzip REQUIRED)
  set(outputs)
  foreach(page IN LISTS QUELT_PAGES)
    set(input ${PROJECT_SOURCE_DIR}/man/${page}.1)
    quelt_document(${QUELT_DOCUMENTS}/${page}.1.gz ${input} ${QUELT_GZIP} -9nc ${input})
    install(FILES ${QUELT_DOCUMENTS}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    list(APPEND outputs ${QUELT_DOCUMENTS}/${page}.1.gz)
  endforeach()
  configure_file(packaging/debian/changelog.in ${QUELT_DOCUMENTS}/changelog @ONLY)
  quelt_document(${QUELT_DOCUMENTS}/changelog.gz ${QUELT_DOCUMENTS}/changelog
                 ${QUELT_GZIP} -9nc ${QUELT_DOCUMENTS}/changelog)
  list(APPEND outputs ${QUELT_DOCUMENTS}/changelog.gz)
  add_custom_target(documents ALL DEPENDS ${outputs})
  install(FILES README.md packaging/debian/copyright ${QUELT_DOCUMENTS}/changelog.gz
          DESTINATION ${QUELT_INSTALL_DOCDIR})
else()
  find_program(QUELT_MANDOC mandoc)
  set(outputs)
  if(QUELT_MANDOC)
    foreach(page IN LISTS QUELT_PAGES)
      set(input ${PROJECT_SOURCE_DIR}/man/${page}.1)
      # Each page links the others it names, in the same folder.
      quelt_document(${QUELT_DOCUMENTS}/${page}.html ${input}
                     ${QUELT_MANDOC} -Thtml -Oman=%N.html ${input})
      list(APPEND outputs ${QUELT_DOCUMENTS}/${page}.html)
    endforeach()
  endif()
  foreach(text README-Windows.txt NOTICES.txt)
    configure_file(packaging/windows/${text} ${QUELT_DOCUMENTS}/${text} @ONLY NEWLINE_STYLE WIN32)
    list(APPEND outputs ${QUELT_DOCUMENTS}/${text})
  endforeach()
  add_custom_target(documents ALL DEPENDS ${outputs})
  install(FILES ${outputs} DESTINATION ${QUELT_INSTALL_DOCDIR})
endif()
