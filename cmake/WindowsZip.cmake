# The Windows download, made by the windows-zip workflow: the executables that the windows-x64 and
# windows-x86 workflows built and checked, and a read-me with Windows line ends.
set(MAZEWICK_WINDOWS_X64_EXE ${PROJECT_SOURCE_DIR}/build/windows-x64/mazewick.exe
    CACHE FILEPATH "The 64-bit Windows game that goes into the zip")
set(MAZEWICK_WINDOWS_X86_EXE ${PROJECT_SOURCE_DIR}/build/windows-x86/mazewick.exe
    CACHE FILEPATH "The 32-bit Windows game that goes into the zip")
set(zip_dir ${CMAKE_CURRENT_BINARY_DIR}/windows-zip)
configure_file(${PROJECT_SOURCE_DIR}/platform/windows/README.txt ${zip_dir}/README.txt @ONLY
               NEWLINE_STYLE CRLF)
set(zip ${CMAKE_CURRENT_BINARY_DIR}/mazewick-${PROJECT_VERSION}-windows.zip)
add_custom_command(OUTPUT ${zip}
  COMMAND ${CMAKE_COMMAND} -E copy ${MAZEWICK_WINDOWS_X64_EXE} mazewick.exe
  COMMAND ${CMAKE_COMMAND} -E copy ${MAZEWICK_WINDOWS_X86_EXE} mazewick-x86.exe
  COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip mazewick.exe mazewick-x86.exe README.txt
  WORKING_DIRECTORY ${zip_dir}
  DEPENDS ${MAZEWICK_WINDOWS_X64_EXE} ${MAZEWICK_WINDOWS_X86_EXE} ${zip_dir}/README.txt
  COMMENT "Packing the Windows download"
  VERBATIM)
add_custom_target(windows_zip DEPENDS ${zip})
