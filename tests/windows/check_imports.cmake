# Checks that the Windows executable is a 32-bit x86 console program that imports from
# KERNEL32.dll alone, and only the functions the game is meant to use.
# Usage: cmake -DOBJDUMP=... -DEXE=... -P check_imports.cmake

cmake_minimum_required(VERSION 3.25)

set(allowed_functions
  # Console functions, imported directly.
  GetStdHandle GetModuleHandleA GetProcAddress GetConsoleMode ReadConsoleA WriteConsoleA
  SetConsoleTextAttribute ScrollConsoleScreenBufferA SetConsoleWindowInfo
  SetConsoleScreenBufferSize SetConsoleActiveScreenBuffer GetConsoleCursorInfo
  SetConsoleCursorInfo
  # Synchronisation, timing, process services and heap.
  InitializeCriticalSection EnterCriticalSection LeaveCriticalSection Sleep GetCommandLineA
  ExitProcess GetProcessHeap HeapAlloc HeapFree)

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed: ${status}")
endif()

if(NOT headers MATCHES "file format pei-i386")
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
foreach(name GetCommandLineA ExitProcess WriteConsoleA ReadConsoleA)
  if(NOT name IN_LIST names)
    message(FATAL_ERROR "does not import ${name}")
  endif()
endforeach()
message(STATUS "${count} functions imported from KERNEL32.dll: ${names}")
