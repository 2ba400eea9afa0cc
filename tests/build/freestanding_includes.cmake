# Fails when a file of the game includes anything but <cstdint>, <cstddef>, <cstdarg>,
# <windows.h> and the game's own headers: the game is freestanding and knows nothing of platform/.
#   cmake -DGAME_ROOT=<folder holding the game folders> -P freestanding_includes.cmake
cmake_minimum_required(VERSION 3.25)
set(game_folders game maze actors render console runtime)
set(standard_headers cstdint cstddef cstdarg windows.h)
set(bad_includes 0)
foreach(folder IN LISTS game_folders)
  file(GLOB_RECURSE files RELATIVE ${GAME_ROOT} ${GAME_ROOT}/${folder}/*.h
       ${GAME_ROOT}/${folder}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${GAME_ROOT}/${file} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(include IN LISTS includes)
      if(include MATCHES "<([^>]+)>" AND CMAKE_MATCH_1 IN_LIST standard_headers)
        continue()
      endif()
      if(include MATCHES "\"(([a-z_]+)/[a-z0-9_]+\\.h)\"" AND CMAKE_MATCH_2 IN_LIST game_folders
         AND EXISTS ${GAME_ROOT}/${CMAKE_MATCH_1})
        continue()
      endif()
      message("${file}: ${include}")
      math(EXPR bad_includes "${bad_includes} + 1")
    endforeach()
  endforeach()
endforeach()
if(bad_includes GREATER 0)
  message(FATAL_ERROR "${bad_includes} includes of the game are not freestanding")
endif()
