# The Debian package: `cpack -G DEB` in a build folder (scripts/package-deb.sh) makes
# ondrel_VERSION_ARCH.deb with both programs, the help pages, the desktop entry, the icons
# and the manual pages. Its dependencies are found by dpkg-shlibdeps from the programs'
# libraries, plus what the desktop program loads at run time.

install(FILES ${PROJECT_SOURCE_DIR}/man/ondrel-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(ONDREL_BUILD_GUI)
  install(FILES ${PROJECT_SOURCE_DIR}/man/ondrel.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

set(CPACK_PACKAGE_NAME ondrel)
set(CPACK_PACKAGE_VENDOR "Ondrel")
set(CPACK_PACKAGE_CONTACT "Ondrel <ondrel@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "estrazione di indirizzi e-mail da file e pulizia di liste")
set(CPACK_PACKAGE_DESCRIPTION
    "Ondrel estrae gli indirizzi e-mail dai file di una cartella e delle sue sotto cartelle\n(pagine web, file di testo, archivi di newsgroup) e tiene in ordine le liste di indirizzi:\nordina ed elimina i doppi, sottrae una lista da un'altra. Programma a finestre (ondrel)\ne programma per la console (ondrel-cli).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ONDREL_WEBSITE_URL})
if(ONDREL_BUILD_GUI)
  # Loaded at run time, so invisible to dpkg-shlibdeps: the Italian texts of the standard
  # dialogs and the plugins that put windows on an X11 or Wayland screen.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, qt6-qpa-plugins")
endif()

include(CPack)
