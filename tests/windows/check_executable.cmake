# Checks that the Windows executable is a console program for its processor (PE32 for 32-bit x86,
# PE32+ for x86-64) that imports from KERNEL32.dll alone, and only the functions the game is meant
# to use, and that it carries its icon: one icon group, resource 101, of five icons.
# Usage: cmake -DOBJDUMP=... -DEXE=... -DBITS=32|64 -P check_executable.cmake

cmake_minimum_required(VERSION 3.25)

set(allowed_functions
  # Console functions, imported directly.
  GetStdHandle GetModuleHandleA GetProcAddress GetConsoleMode ReadConsoleInputA WriteConsoleA
  SetConsoleTextAttribute ScrollConsoleScreenBufferA SetConsoleWindowInfo
  SetConsoleScreenBufferSize SetConsoleActiveScreenBuffer GetConsoleCursorInfo
  SetConsoleCursorInfo SetConsoleCtrlHandler GetConsoleOutputCP SetConsoleOutputCP
  # Why the game cannot start, on standard error.
  WriteFile
  # Synchronisation, timing, process services and heap.
  InitializeCriticalSection EnterCriticalSection LeaveCriticalSection Sleep GetCommandLineA
  ExitProcess GetProcessHeap HeapAlloc HeapFree)

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed: ${status}")
endif()

if(BITS EQUAL 64)
  if(NOT headers MATCHES "file format pei-x86-64" OR NOT headers MATCHES "\nMagic[ \t]+020b")
    message(FATAL_ERROR "not a PE32+ image for x86-64")
  endif()
elseif(NOT headers MATCHES "file format pei-i386" OR NOT headers MATCHES "\nMagic[ \t]+010b")
  message(FATAL_ERROR "not a PE32 image for i386")
endif()
if(NOT headers MATCHES "Subsystem[ \t]+00000003")
  message(FATAL_ERROR "not a console program")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]*" dll_lines "${headers}")
if(NOT dll_lines STREQUAL "DLL Name: KERNEL32.dll")
  message(FATAL_ERROR "imports from other libraries than KERNEL32.dll alone: ${dll_lines}")
endif()

# The import list: hint and name after the library's name, up to the next blank line.
string(REGEX MATCH "DLL Name: KERNEL32.dll\n[^\n]*\n(([ \t]+[0-9a-f]+[ \t]+[0-9]+[ \t]+[A-Za-z0-9_]+\n)+)"
       imports "${headers}")
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]+\n" names "${CMAKE_MATCH_1}")
list(TRANSFORM names STRIP)
list(LENGTH names count)
if(count EQUAL 0)
  message(FATAL_ERROR "no imported functions found in:\n${headers}")
endif()
foreach(name IN LISTS names)
  if(NOT name IN_LIST allowed_functions)
    message(FATAL_ERROR "imports ${name}, which the game must not use")
  endif()
endforeach()
foreach(name GetCommandLineA ExitProcess WriteConsoleA ReadConsoleInputA)
  if(NOT name IN_LIST names)
    message(FATAL_ERROR "does not import ${name}")
  endif()
endforeach()
message(STATUS "${count} functions imported from KERNEL32.dll: ${names}")

# The resource tree: type 3 (icon) with five names, type 14 (icon group) with the one name 101.
if(NOT headers MATCHES "Entry: ID: 0x000003, Value: 0x[0-9a-f]+\n[^\n]*Name Table:[^\n]*IDs: 5\n")
  message(FATAL_ERROR "no five icons among the resources")
endif()
if(NOT headers MATCHES "Entry: ID: 0x00000e, Value: 0x[0-9a-f]+\n[^\n]*Name Table:[^\n]*IDs: 1\n[^\n]*Entry: ID: 0x000065,")
  message(FATAL_ERROR "no icon group 101 among the resources")
endif()
