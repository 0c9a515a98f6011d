# On Windows a program's narrow argv and the file names it opens are in its code
# page. Each program (the tests too, which hand names on to the programs) gets a
# manifest that makes UTF-8 its code page, so that every name works, whatever the
# system's own code page (Windows 10 version 1903 and later; older versions keep
# their code page). Elsewhere this does nothing.
set(QUELT_UTF8_MANIFEST ${PROJECT_SOURCE_DIR}/packaging/windows/utf8.manifest)
if(WIN32 AND NOT MSVC)
  # mingw-w64 links the manifest as a resource.
  enable_language(RC)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/utf8.rc.in
                 ${PROJECT_BINARY_DIR}/utf8.rc @ONLY)
endif()

function(quelt_utf8_code_page target)
  if(MSVC)
    # The linker merges a .manifest source into the program's own manifest.
    target_sources(${target} PRIVATE ${QUELT_UTF8_MANIFEST})
  elseif(WIN32)
    target_sources(${target} PRIVATE ${PROJECT_BINARY_DIR}/utf8.rc)
  endif()
endfunction()
