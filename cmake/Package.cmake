# The Debian package of the POSIX game, made by CPack: cmake --workflow --preset package.
include(GNUInstallDirs)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/cmake/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/mazewick)

# For desktop menus and software centres: the menu entry, the AppStream metadata and the icons,
# drawn by the generator of the Windows icon so that the two never drift apart.
install(FILES ${PROJECT_SOURCE_DIR}/platform/terminal/mazewick.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/platform/terminal/org.example.mazewick.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
add_subdirectory(tools/icon EXCLUDE_FROM_ALL)
foreach(size 16 24 32 48 64)
  set(png ${CMAKE_CURRENT_BINARY_DIR}/mazewick-${size}.png)
  add_custom_command(OUTPUT ${png} COMMAND mazewick-icon --png ${size} ${png}
                     DEPENDS mazewick-icon VERBATIM)
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME mazewick.png)
  list(APPEND package_files ${png})
endforeach()
# The package's changelog, compressed as Debian keeps it.
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/cmake/changelog > ${changelog}
  DEPENDS cmake/changelog VERBATIM)
install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/mazewick)
# The lintian tags overridden, each with its reason.
install(FILES ${PROJECT_SOURCE_DIR}/cmake/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME mazewick)
add_custom_target(package_files ALL DEPENDS ${package_files} ${changelog})

include(${PROJECT_SOURCE_DIR}/cmake/WindowsZip.cmake)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mazewick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Mazewick developers <mazewick@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "maze-chase game for the text terminal")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Mazewick is a single-player maze-chase game that runs in a terminal of at\n"
       "least 55 x 33 cells. You steer a figure through five built-in mazes, eating\n"
       "pellets while four chasers hunt you. A power pellet turns the hunt around\n"
       "for a while. Clear the pellets to complete a round, and the next maze follows.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies from the libraries the binary links, ncurses among them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
