# The package preset reads this right after project(Mazewick), before any target: the flags that
# Debian builds its packages with, all hardening on, so that the packaged game is hardened as
# Debian's own are.
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  # Run from the source folder, which the flags' file-prefix map then strips from debug paths.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            dpkg-buildflags --get ${kind}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE debian_${kind} OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
set(CMAKE_CXX_FLAGS "${CMAKE_CXX_FLAGS} ${debian_CPPFLAGS} ${debian_CXXFLAGS}")
set(CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS} ${debian_LDFLAGS}")
