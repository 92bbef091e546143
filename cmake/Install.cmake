# Installed commands carry the product's name, where a generic one would clash with other
# software in bin/; the build tree keeps the short target names that scripts and tests use.
include(GNUInstallDirs)

function(velmar_install_program target installed_name)
  install(PROGRAMS $<TARGET_FILE:${target}> DESTINATION ${CMAKE_INSTALL_BINDIR}
          RENAME ${installed_name}${CMAKE_EXECUTABLE_SUFFIX})
endfunction()

# A window program's desktop entry and its icons (a PNG, and optionally an SVG), all under the
# program's installed name. Windows has no desktop entries: the program carries its own icon.
function(velmar_install_desktop_entry installed_name desktop_file icon_png)
  if(WIN32)
    return()
  endif()
  install(FILES ${desktop_file} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME ${installed_name}.desktop)
  install(FILES ${icon_png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps RENAME ${installed_name}.png)
  if(ARGC GREATER 3)
    install(FILES ${ARGV3} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${installed_name}.svg)
  endif()
endfunction()
