# The Debian package of the POSIX game, made by CPack: cmake --workflow --preset package.
include(GNUInstallDirs)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/cmake/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/mazewick)

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
