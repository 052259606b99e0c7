# Desktop integration (menu entry, icons, metadata, manual, credits) and the Debian package built
# by cpack. The executable and its PNG icons install themselves from ui/; this adds the rest.

set(TILVARA_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/tilvara)

# The Debian revision comes from the newest changelog entry, which must name this version.
file(STRINGS ${PROJECT_SOURCE_DIR}/assets/changelog.Debian TILVARA_CHANGELOG_HEAD LIMIT_COUNT 1)
if(NOT TILVARA_CHANGELOG_HEAD MATCHES "^tilvara \\(([^-]+)-([^)]+)\\)")
  message(FATAL_ERROR "assets/changelog.Debian must start with 'tilvara (VERSION-REVISION)'")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "assets/changelog.Debian is at ${CMAKE_MATCH_1}, the project at "
                      "${PROJECT_VERSION}: add a changelog entry")
endif()
set(TILVARA_DEBIAN_REVISION ${CMAKE_MATCH_2})

# Compressed the way Debian wants them: maximum compression and no name or time stamp in the
# header, so the same sources give the same bytes.
find_program(TILVARA_GZIP gzip REQUIRED)
set(TILVARA_GZIPPED)
foreach(pair "tilvara.6;tilvara.6.gz" "changelog.Debian;changelog.Debian.gz")
  list(GET pair 0 source)
  list(GET pair 1 target)
  add_custom_command(
    OUTPUT ${PROJECT_BINARY_DIR}/${target}
    COMMAND ${TILVARA_GZIP} -9nc ${PROJECT_SOURCE_DIR}/assets/${source} > ${PROJECT_BINARY_DIR}/${target}
    DEPENDS ${PROJECT_SOURCE_DIR}/assets/${source}
    COMMENT "Compressing ${source}")
  list(APPEND TILVARA_GZIPPED ${PROJECT_BINARY_DIR}/${target})
endforeach()
add_custom_target(tilvara_docs ALL DEPENDS ${TILVARA_GZIPPED})

if(TILVARA_BUILD_UI)
  # The menu entry runs the binary by its full path: /usr/games is not on every PATH (root's,
  # for one). The prefix is only known at install time (cpack installs into /usr), so the
  # entry is written then.
  install(CODE "
    set(TILVARA_EXEC \"\${CMAKE_INSTALL_PREFIX}/${TILVARA_INSTALL_GAMESDIR}/tilvara\")
    set(desktop \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/tilvara.desktop\")
    message(STATUS \"Installing: \${desktop}\")
    configure_file(\"${PROJECT_SOURCE_DIR}/assets/tilvara.desktop.in\" \"\${desktop}\" @ONLY)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${desktop}\")")
  install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/tilvara.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/org.example.tilvara.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${PROJECT_BINARY_DIR}/tilvara.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tilvara)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/copyright ${PROJECT_BINARY_DIR}/changelog.Debian.gz
                # The tile pictures' licence asks for their credit to travel with every copy.
                ${PROJECT_SOURCE_DIR}/assets/tiles/CREDITS.md
          DESTINATION ${TILVARA_DOCDIR})
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
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TILVARA_DEBIAN_REVISION})
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
