# The code is built in layers, each folder a library of its own that may include and link only
# the layers below it. The game:
#
#   game -> render -> actors -> maze -> console -> runtime
#
# and around it the platforms, each of which may use the whole game:
#
#   platform/terminal -> platform/headless -> platform/host      (POSIX)
#   platform/web      -> platform/headless -> platform/host      (WebAssembly, in a browser)
#   platform/windows                                             (Windows, over KERNEL32)
#
# tools/ and tests/ may use everything, and nothing else uses them.
#
# Every include names its folder ("maze/board.h", "platform/host/console_host.h"), so a shared
# include path at the project root would let any file include any other. Instead each library of
# a layer compiles against an include root of its own in the build folder: links to the folders
# and headers it may include and nothing else, so that an include against the order fails to
# compile.

set(MAZEWICK_GAME_FOLDERS game render actors maze console runtime)

# mazewick_include_root(TARGET paths...): TARGET may include from these paths alone, each a
# folder or a single header relative to the project root, under the same name.
function(mazewick_include_root target)
  set(root ${PROJECT_BINARY_DIR}/include-roots/${target})
  file(REMOVE_RECURSE ${root})
  foreach(path IN LISTS ARGN)
    get_filename_component(parent ${root}/${path} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PRIVATE ${root})
endfunction()

# mazewick_library(TARGET SOURCES files... MAY_INCLUDE paths... [LINKS libraries...])
# Adds the static library TARGET of a layer: it may include from MAY_INCLUDE alone.
function(mazewick_library target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;MAY_INCLUDE;LINKS")
  add_library(${target} STATIC ${arg_SOURCES})
  mazewick_include_root(${target} ${arg_MAY_INCLUDE})
  target_link_libraries(${target} PUBLIC ${arg_LINKS})
  mazewick_warnings(${target})
endfunction()

# mazewick_game_library(TARGET ...): the same for a library of freestanding game code.
function(mazewick_game_library target)
  mazewick_library(${target} ${ARGN})
  target_compile_options(${target} PRIVATE -ffreestanding -fno-exceptions -fno-rtti
                                           -fno-threadsafe-statics)
  if(WIN32)
    # The real console API: the lean windows.h of Vista and later, which has CONSOLE_FONT_INFOEX.
    target_compile_definitions(${target} PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600)
    # Small code without unwind tables; functions nobody calls are dropped when linking.
    target_compile_options(${target} PUBLIC -ffunction-sections -fdata-sections
                                            -fno-asynchronous-unwind-tables)
  else()
    # On POSIX the console API comes from the console host; its folder holds windows.h alone.
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/platform/host/include)
  endif()
endfunction()
