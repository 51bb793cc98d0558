# `cmake --install` and the Debian package (CPack DEB): the three programs, the desktop entry,
# the icon, the AppStream metainfo, the manual pages and the translations, in the places the
# desktop looks for them (GNUInstallDirs). The benchmark is a developer's tool and stays out.
include(GNUInstallDirs)

set(ZOR_DESKTOP_ID "com.zorware.zorkvm")
set(packaging "${PROJECT_SOURCE_DIR}/packaging")

set(installed_programs)
foreach(program zorkvm zorkvm-cli zorkvm-sim)
  if(TARGET ${program})
    list(APPEND installed_programs ${program})
    install(FILES "${packaging}/man/${program}.1" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
  endif()
endforeach()
if(installed_programs)
  install(TARGETS ${installed_programs} RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
endif()

if(TARGET zorkvm)
  install(FILES "${packaging}/${ZOR_DESKTOP_ID}.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
  # The release in the metainfo carries the project version.
  configure_file("${packaging}/${ZOR_DESKTOP_ID}.metainfo.xml.in"
                 "${PROJECT_BINARY_DIR}/packaging/${ZOR_DESKTOP_ID}.metainfo.xml" @ONLY)
  install(FILES "${PROJECT_BINARY_DIR}/packaging/${ZOR_DESKTOP_ID}.metainfo.xml"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
  set(icons "${CMAKE_INSTALL_DATADIR}/icons/hicolor")
  install(FILES "${packaging}/icons/${ZOR_DESKTOP_ID}.svg" DESTINATION "${icons}/scalable/apps")
  foreach(size 16 32 48 64 128 256)
    install(FILES "${packaging}/icons/${size}.png" DESTINATION "${icons}/${size}x${size}/apps"
            RENAME "${ZOR_DESKTOP_ID}.png")
  endforeach()
  # The translations (.qm) that lrelease leaves in build/translations/ (cmake/Translations.cmake);
  # the program looks for them in ../share/zorkvm/translations beside its bin folder.
  install(DIRECTORY "${PROJECT_BINARY_DIR}/translations/" DESTINATION "${CMAKE_INSTALL_DATADIR}/zorkvm/translations"
          FILES_MATCHING PATTERN "*.qm")
endif()

# The .deb: `cpack -G DEB` in the build folder. Depends come from dpkg-shlibdeps, plus the fonts
# the program draws with, which no library names.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "zorkvm")
set(CPACK_PACKAGE_VENDOR "ZORWARE")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Operate and automate remote computers through KVM-over-IP devices")
set(CPACK_PACKAGE_CONTACT "ZORWARE <support@zorware.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)  # the debug information stays in the build; the package is a fifth the size
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "net")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-nanum, fonts-font-awesome")
# Qt's own Korean texts (standard buttons); without them those buttons stay in English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.zorware.example/")
include(CPack)
