# On Windows a program's narrow argv and the file names it opens are in its code
# page. Each program (the tests too, which hand names on to the programs) gets a
# manifest that makes UTF-8 its code page, so that every name works, whatever the
# system's own code page (Windows 10 version 1903 and later; older versions keep
# their code page). The companions' manifest (and the tests') also declares them
# aware of long paths, so that the system's own calls take paths past 260
# characters where the system's long-path setting is on; where it is off, the
# companions reach such paths by their extended-length form
# (companion/native_path.h). quelt's manifest stays as it was: its behaviour is
# fixed. Elsewhere this does nothing.
set(QUELT_UTF8_MANIFEST ${PROJECT_SOURCE_DIR}/packaging/windows/utf8.manifest)
set(QUELT_COMPANION_MANIFEST ${PROJECT_SOURCE_DIR}/packaging/windows/companion.manifest)
if(WIN32 AND NOT MSVC)
  # mingw-w64 links the manifest as a resource.
  enable_language(RC)
  foreach(QUELT_MANIFEST ${QUELT_UTF8_MANIFEST} ${QUELT_COMPANION_MANIFEST})
    get_filename_component(name ${QUELT_MANIFEST} NAME_WE)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/manifest.rc.in
                   ${PROJECT_BINARY_DIR}/${name}.rc @ONLY)
  endforeach()
endif()

# Gives `target` the manifest MANIFEST (a path).
function(quelt_manifest target manifest)
  if(MSVC)
    # The linker merges a .manifest source into the program's own manifest.
    target_sources(${target} PRIVATE ${manifest})
  elseif(WIN32)
    get_filename_component(name ${manifest} NAME_WE)
    target_sources(${target} PRIVATE ${PROJECT_BINARY_DIR}/${name}.rc)
  endif()
endfunction()

# quelt: UTF-8 as its code page.
function(quelt_utf8_code_page target)
  quelt_manifest(${target} ${QUELT_UTF8_MANIFEST})
endfunction()

# The companions, the sample-set maker and the tests: UTF-8, and long paths.
function(quelt_companion_manifest target)
  quelt_manifest(${target} ${QUELT_COMPANION_MANIFEST})
endfunction()
