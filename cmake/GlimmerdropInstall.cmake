# What `cmake --install` puts under its prefix: the program, its archive in
# share/glimmerdrop (where the program looks when none is beside it), the desktop entry, the
# metainfo, the theme's icons, the man page, the licences and the README. Nothing in it names
# the prefix, so the tree works wherever it is installed or unpacked.
include(GNUInstallDirs)

set(GLIMMERDROP_PACKAGING ${PROJECT_SOURCE_DIR}/packaging/linux)
configure_file(${GLIMMERDROP_PACKAGING}/glimmerdrop.6.in ${CMAKE_BINARY_DIR}/glimmerdrop.6 @ONLY)

install(TARGETS glimmerdrop RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/glimmerdrop.vxz DESTINATION ${CMAKE_INSTALL_DATADIR}/glimmerdrop)
install(FILES ${GLIMMERDROP_PACKAGING}/${GLIMMERDROP_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${GLIMMERDROP_PACKAGING}/${GLIMMERDROP_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS GLIMMERDROP_ICON_SIZES)
  install(FILES ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/${GLIMMERDROP_APP_ID}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/glimmerdrop.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/THIRD-PARTY-LICENSES.txt
  ${PROJECT_SOURCE_DIR}/README.md
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/glimmerdrop)

# `cmake --build build --target deb`: the Debian package of this build in build/packages/.
add_custom_target(deb
  COMMAND ${GLIMMERDROP_PACKAGING}/make-deb.sh ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/packages
  DEPENDS glimmerdrop glimmerdrop_assets glimmerdrop_theme_icons
  COMMENT "Making the Debian package"
  VERBATIM)
