# What a Linux desktop needs to list the program and open files with it: the desktop entry
# (file types it opens), the AppStream metainfo software centres read, and the icon in the
# hicolor theme at the usual sizes. Checked by the tests "installed_desktop_valid",
# "installed_metainfo_valid" and "installed_icons_valid" after a trial install.
include(GNUInstallDirs)
set(VELLUMAR_DATA ${CMAKE_SOURCE_DIR}/data)
install(FILES ${VELLUMAR_DATA}/vellumar.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELLUMAR_DATA}/org.example.vellumar.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${VELLUMAR_DATA}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
