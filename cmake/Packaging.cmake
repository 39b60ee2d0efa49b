# Where everything is installed, and the Debian package `make package` builds
# from that installation with CPack.
#
# The layout is Debian's for games. The game and vantel-sim live in a folder of
# their own with the resource archive, because both look for res065.pak beside
# their real selves; links in games/ put them on the PATH. That folder is not
# writable by players, so the game unpacks into $XDG_RUNTIME_DIR or the
# temporary folder instead. Translations, when there are some, go to
# share/locale/<language>/LC_MESSAGES/vantel.mo (VANTEL_INSTALL_LOCALEDIR).
include(GNUInstallDirs)

set(VANTEL_INSTALL_GAMESDIR games CACHE STRING
    "Folder below the prefix for the links to the game and vantel-sim (bin for a per-user install)")
set(VANTEL_INSTALL_GAMEDIR lib/games/vantel CACHE STRING
    "Folder below the prefix for the game, vantel-sim and the resource archive")
set(VANTEL_INSTALL_LOCALEDIR ${CMAKE_INSTALL_LOCALEDIR})
set(VANTEL_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/vantel)
set(VANTEL_METAINFO org.example.vantel.metainfo.xml)
# The sizes the desktops ask for most; the SVG serves every other size.
set(VANTEL_ICON_SIZES 48 128 256)
# The manual pages, each named <program>.<section> in man/.
set(VANTEL_MAN_PAGES vantel.6 vantel-sim.6 vantel-pak.1 vantel-server.6)

# Drawn from the SVG at build time, so that no picture is committed twice.
find_program(VANTEL_RSVG_CONVERT rsvg-convert)
if(NOT VANTEL_RSVG_CONVERT)
  message(FATAL_ERROR "rsvg-convert not found: it draws the icons (Debian package librsvg2-bin; "
                      "scripts/install-deps installs it)")
endif()
find_program(VANTEL_GZIP gzip REQUIRED)

set(icon_files)
foreach(size ${VANTEL_ICON_SIZES})
  set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/vantel.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${VANTEL_RSVG_CONVERT} --width ${size} --height ${size} --output ${png}
            ${PROJECT_SOURCE_DIR}/data/vantel.svg
    DEPENDS ${PROJECT_SOURCE_DIR}/data/vantel.svg
    COMMENT "Drawing the ${size} x ${size} icon"
    VERBATIM)
  list(APPEND icon_files ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Debian wants manual pages and the changelog compressed to the maximum, and
# without a time stamp (-n) so that rebuilding gives the same bytes.
set(gzipped_files)
function(vantel_gzip source output)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${VANTEL_GZIP} -9 -n -c ${source} > ${output}
    DEPENDS ${source}
    COMMENT "Compressing ${output}")
  set(gzipped_files ${gzipped_files} ${output} PARENT_SCOPE)
endfunction()
foreach(page ${VANTEL_MAN_PAGES})
  string(REGEX REPLACE ".*\\.([0-9])$" "\\1" section ${page})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/man)
  vantel_gzip(${PROJECT_SOURCE_DIR}/man/${page} ${CMAKE_BINARY_DIR}/man/${page}.gz)
  install(FILES ${CMAKE_BINARY_DIR}/man/${page}.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/doc)
vantel_gzip(${PROJECT_SOURCE_DIR}/data/debian/changelog ${CMAKE_BINARY_DIR}/doc/changelog.gz)
# Made with every build, so that installing needs nothing but copying.
add_custom_target(shipped-files ALL DEPENDS ${icon_files} ${gzipped_files})

# A link at <prefix>/<linkdir>/<name> to <prefix>/<targetdir>/<name>, relative
# so that the tree still works wherever it is unpacked.
function(vantel_install_link name linkdir targetdir)
  file(RELATIVE_PATH to /usr/${linkdir} /usr/${targetdir}/${name})
  install(CODE "
    set(dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${linkdir}\")
    file(MAKE_DIRECTORY \"\${dir}\")
    file(CREATE_LINK \"${to}\" \"\${dir}/${name}\" SYMBOLIC)
    message(STATUS \"Installing: \${dir}/${name} -> ${to}\")
  ")
endfunction()

install(TARGETS vantel RUNTIME DESTINATION ${VANTEL_INSTALL_GAMEDIR})
install(FILES ${CMAKE_BINARY_DIR}/bin/res065.pak DESTINATION ${VANTEL_INSTALL_GAMEDIR})
vantel_install_link(vantel ${VANTEL_INSTALL_GAMESDIR} ${VANTEL_INSTALL_GAMEDIR})
if(TARGET vantel-sim)
  install(TARGETS vantel-sim RUNTIME DESTINATION ${VANTEL_INSTALL_GAMEDIR})
  vantel_install_link(vantel-sim ${VANTEL_INSTALL_GAMESDIR} ${VANTEL_INSTALL_GAMEDIR})
endif()
# The archive tool needs nothing beside itself and is no game.
if(TARGET vantel-pak)
  install(TARGETS vantel-pak RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The table server needs no archive: it goes straight into games/, with a
# systemd unit that is not enabled until the administrator asks.
if(TARGET vantel-server)
  install(TARGETS vantel-server RUNTIME DESTINATION ${VANTEL_INSTALL_GAMESDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/data/vantel-server.service DESTINATION lib/systemd/system)
  install(FILES ${PROJECT_SOURCE_DIR}/docs/protocol.md DESTINATION ${VANTEL_INSTALL_DOCDIR})
  # The web client it serves, where it looks by default: share/vantel/web
  # beside its own folder. Only a tree that builds the page has it to ship.
  if(TARGET web)
    install(DIRECTORY ${CMAKE_BINARY_DIR}/web/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/vantel/web
            FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
            DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE)
  endif()
endif()

install(FILES ${PROJECT_SOURCE_DIR}/data/vantel.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/vantel.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/${VANTEL_METAINFO}
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${VANTEL_INSTALL_DOCDIR})

# The package. Its file name is fixed here so that the tests can find it.
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE VANTEL_DEB_ARCH
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT VANTEL_DEB_ARCH)
  set(VANTEL_DEB_ARCH amd64)
endif()
set(VANTEL_DEB_FILE ${CMAKE_BINARY_DIR}/vantel_${PROJECT_VERSION}_${VANTEL_DEB_ARCH}.deb)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vantel developers")
set(CPACK_PACKAGE_CONTACT "The Vantel developers <maintainers@vantel.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Italian fishing card game for four players in two partnerships")
# CPack puts the summary above this text itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vantel is a card game of the Italian fishing family: you and a computer
partner against two computer opponents, with a 52-card pack in the four
Latin suits. A card played takes a table card of equal value, or a set of
table cards whose values add up to it; special captures score at once, and
the cards, the suit, the run and three key cards score at the end of each
hand. The first side past 50 points wins the match.
.
The package also holds vantel-server, which hosts tables for people playing
over the network (with a systemd unit, not enabled), vantel-sim, which plays
whole games without a screen (traces, screenshots, long test runs), and
vantel-pak, which lists, unpacks and creates the game's resource archives.")
set(CPACK_DEBIAN_FILE_NAME vantel_${PROJECT_VERSION}_${VANTEL_DEB_ARCH}.deb)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${VANTEL_DEB_ARCH})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vantel.example.org/)
# The libraries the programs link, found from the programs themselves.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Whatever the builder's umask, the folders in the package are 0755.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)

# The metadata's screenshots (`make screenshots`), for the project's web site;
# they are not part of the package.
if(NOT TARGET vantel-sim)
  return()
endif()
set(VANTEL_SCREENSHOTS ${CMAKE_BINARY_DIR}/screenshots/table.png
                       ${CMAKE_BINARY_DIR}/screenshots/score-page.png)
add_custom_command(
  OUTPUT ${VANTEL_SCREENSHOTS}
  COMMAND ${CMAKE_COMMAND} -DSIM=$<TARGET_FILE:vantel-sim> -DOUT=${CMAKE_BINARY_DIR}/screenshots
          -P ${PROJECT_SOURCE_DIR}/cmake/TakeScreenshots.cmake
  DEPENDS vantel-sim resources ${PROJECT_SOURCE_DIR}/cmake/TakeScreenshots.cmake
  COMMENT "Taking the metadata's screenshots with vantel-sim"
  VERBATIM)
add_custom_target(screenshots DEPENDS ${VANTEL_SCREENSHOTS})
