# mazewick-sim and mazewick-autoplay built from the same sources with the host compiler, for the
# checks of a cross-built program (the Windows game, the browser page) to compare it with.
# mazewick_host_tools() adds the target host_tools and sets MAZEWICK_HOST_SIM and
# MAZEWICK_HOST_AUTOPLAY to the programs it builds.
include(ExternalProject)

macro(mazewick_host_tools)
  set(host_tools_dir ${CMAKE_CURRENT_BINARY_DIR}/host-tools)
  set(MAZEWICK_HOST_SIM ${host_tools_dir}/tools/mazewick-sim)
  set(MAZEWICK_HOST_AUTOPLAY ${host_tools_dir}/tools/mazewick-autoplay)
  ExternalProject_Add(host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${host_tools_dir}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
    BUILD_COMMAND ${CMAKE_COMMAND} --build . --target mazewick-sim mazewick-autoplay
    INSTALL_COMMAND ""
    BUILD_ALWAYS TRUE
    BUILD_BYPRODUCTS ${MAZEWICK_HOST_SIM} ${MAZEWICK_HOST_AUTOPLAY})
endmacro()
