# Desktop integration (menu entry, icon, credits) and the Debian package built by cpack.
# The executable installs itself from ui/; this adds what a desktop needs around it.

if(TILVARA_BUILD_UI)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/tilvara.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # Scalable only: every desktop that reads the hicolor theme renders SVG itself.
  install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/tilvara.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # The tile pictures' licence asks for their credit to travel with every copy.
  install(FILES ${PROJECT_SOURCE_DIR}/assets/tiles/CREDITS.md
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tilvara)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tilvara)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tilvara developers")
set(CPACK_PACKAGE_CONTACT "Tilvara developers <tilvara@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tile-matching puzzle game against the clock")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tilvara.example.org/")
# CPack puts the summary above this and indents it as the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tilvara deals 144 picture tiles, four of each of 36 kinds. Click two tiles
of the same kind to remove them when a path of at most three straight
segments through empty cells joins them; longer paths score more. Seven
levels, each against a 452-second clock, slide the remaining tiles in a
different direction after every removal. The interface is in Simplified
Chinese.")

# Loaded at run time, so no library scan finds them: the X11 platform plugin (only a
# Recommends of libqt6gui6) and a font with Simplified Chinese glyphs for every caption.
set(TILVARA_RUNTIME_DEPENDS "qt6-qpa-plugins, fonts-noto-cjk | fonts-wqy-zenhei")
find_program(TILVARA_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TILVARA_DPKG_SHLIBDEPS)
  # Versioned dependencies on the Qt libraries the binary links, found by dpkg-shlibdeps.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${TILVARA_RUNTIME_DEPENDS}")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6svg6 (>= 6.4), ${TILVARA_RUNTIME_DEPENDS}")
endif()

include(CPack)
