# The icon drawn once (data/icons/pellion.svg), rendered to the PNG sizes the window, the
# tray and the menus use, and the Debian package (`cpack -G DEB`, see scripts/package.sh).
set(PELLION_ICON_SIZES 16 24 32 48 64 128 256)
find_program(RSVG_CONVERT rsvg-convert)
if(RSVG_CONVERT)
  set(icon_source ${PROJECT_SOURCE_DIR}/data/icons/pellion.svg)
  set(icon_outputs)
  foreach(size IN LISTS PELLION_ICON_SIZES)
    set(icon ${PROJECT_BINARY_DIR}/icons/pellion-${size}.png)
    add_custom_command(OUTPUT ${icon}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${icon} ${icon_source}
      DEPENDS ${icon_source} VERBATIM)
    list(APPEND icon_outputs ${icon})
  endforeach()
  add_custom_target(pellion_icons ALL DEPENDS ${icon_outputs})
  # Beside the programs: the window and the tray load them from there.
  install(FILES ${icon_outputs} DESTINATION ${PELLION_PROGRAM_DIR}/icons)
else()
  message(WARNING "rsvg-convert not found: no PNG icons (the window falls back to a drawn one)")
endif()

# The system layout: the program directory in PELLION_PROGRAM_DIR, the desktop's files in
# share/, the two programs on PATH. Our radclient/radeapclient stay in the program
# directory, where Pellion finds them first, and leave FreeRADIUS's of the same name alone.
if(NOT PELLION_PROGRAM_DIR STREQUAL ".")
  set(app_id org.example.pellion)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/${app_id}.Pellion.desktop
                ${PROJECT_SOURCE_DIR}/packaging/${app_id}.Glossor.desktop
    DESTINATION share/applications)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${app_id}.Pellion.metainfo.xml.in
    ${PROJECT_BINARY_DIR}/${app_id}.Pellion.metainfo.xml @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${app_id}.Pellion.metainfo.xml DESTINATION share/metainfo)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/pellion.svg DESTINATION share/icons/hicolor/scalable/apps)
  if(RSVG_CONVERT)
    foreach(size IN LISTS PELLION_ICON_SIZES)
      install(FILES ${PROJECT_BINARY_DIR}/icons/pellion-${size}.png
        DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME pellion.png)
    endforeach()
  endif()
  file(RELATIVE_PATH bin_to_programs /bin /${PELLION_PROGRAM_DIR})
  install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    foreach(link Pellion:Pellion Glossor:Glossor pellion-demo-server:demo-server.sh pellion-run:pellion-run)
      string(REPLACE : \";\" link \"\${link}\")
      list(GET link 0 name)
      list(GET link 1 program)
      file(CREATE_LINK ${bin_to_programs}/\${program} \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/\${name}\" SYMBOLIC)
    endforeach()
  ")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pellion)
set(CPACK_PACKAGE_VENDOR "Pellion developers")
set(CPACK_PACKAGE_CONTACT "Pellion developers <support@pellion.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop tool for testing RADIUS servers")
set(CPACK_PACKAGE_DESCRIPTION "Pellion defines test tasks for RADIUS servers (PAP, CHAP, EAP-MD5,
EAP-SIM, accounting, Status-Server, Disconnect), keeps them in groups, runs them by hand
or on a schedule and shows their output in a live, coloured log. Glossor edits
user-defined vendor dictionaries.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://pellion.example.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libfreeradius-radius.so has no SONAME and lives outside the loader's path: shlibdeps
# looks for it there, and the package that holds it is named here as well.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${FREERADIUS_LIBRARY_DIR})
# That package, and Qt's translations of its own texts (buttons, file dialogs).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libfreeradius3, freeradius-common, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "freeradius")
include(CPack)
