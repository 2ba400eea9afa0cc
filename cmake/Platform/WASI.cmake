# WebAssembly under the WebAssembly System Interface, which CMake 3.25 does not know: a system
# without shared libraries whose programs are .wasm modules.
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set_property(GLOBAL PROPERTY TARGET_SUPPORTS_SHARED_LIBS FALSE)
