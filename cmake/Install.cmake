# Installed commands carry the product's name, where a generic one would clash with other
# software in bin/; the build tree keeps the short target names that scripts and tests use.
include(GNUInstallDirs)

function(velmar_install_program target installed_name)
  install(PROGRAMS $<TARGET_FILE:${target}> DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME ${installed_name})
endfunction()

# A window program's desktop entry and its icon, both under the program's installed name.
function(velmar_install_desktop_entry installed_name desktop_file icon_png)
  install(FILES ${desktop_file} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME ${installed_name}.desktop)
  install(FILES ${icon_png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps RENAME ${installed_name}.png)
endfunction()
