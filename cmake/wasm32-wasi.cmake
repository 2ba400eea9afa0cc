# WebAssembly for the browser page, with Debian's clang, wasm-ld, wasi-libc and libc++ for wasm32.
set(CMAKE_SYSTEM_NAME WASI)
# What CMake knows of the system is in Platform/WASI.cmake beside this file.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# WebAssembly in clang 14 has no exceptions, and neither has the C++ library for it.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions")
# The page calls the game's entry itself: a reactor, which has no main.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-mexec-model=reactor")
