# Fails when the game keeps a variable that reset_program_state() does not reset: every variable
# of the game libraries, as their symbol tables show them, must be assigned in its body.
#   cmake -DOBJDUMP=<objdump> -DLIBRARIES=<game libraries> -DRESET_SOURCE=<file> -P program_state.cmake
cmake_minimum_required(VERSION 3.25)
file(READ ${RESET_SOURCE} source)
string(FIND "${source}" "void reset_program_state() {" start)
if(start LESS 0)
  message(FATAL_ERROR "${RESET_SOURCE} has no reset_program_state()")
endif()
string(SUBSTRING "${source}" ${start} -1 body)
string(FIND "${body}" "\n}" end)
string(SUBSTRING "${body}" 0 ${end} body)
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]* = " assignments "${body}")
list(TRANSFORM assignments REPLACE " = $" "")

set(forgotten 0)
foreach(library IN LISTS LIBRARIES)
  execute_process(COMMAND ${OBJDUMP} -t -C ${library} OUTPUT_VARIABLE symbols
                  COMMAND_ERROR_IS_FATAL ANY)
  # Objects in writable data: .bss and .data, not the relocated constants of .data.rel.ro.
  string(REGEX MATCHALL "[^\n]* O \\.(bss|data)(\\.[^r \t][^ \t]*)?\t[^\n]*" variables "${symbols}")
  foreach(line IN LISTS variables)
    string(REGEX REPLACE ".*\t[0-9a-f]+ +" "" name "${line}")
    # The sanitizers' own records of the variables they watch.
    if(name MATCHES "^(\\.|__)")
      continue()
    endif()
    string(REGEX REPLACE ".*::" "" short_name "${name}")
    if(NOT short_name IN_LIST assignments)
      get_filename_component(library_name ${library} NAME)
      message("${library_name}: ${name} is not reset by reset_program_state()")
      math(EXPR forgotten "${forgotten} + 1")
    endif()
  endforeach()
endforeach()
if(forgotten GREATER 0)
  message(FATAL_ERROR "${forgotten} variables of the game would outlive a reset")
endif()
