# Fails when the help page names another version than the program's:
# cmake -DHELP=Help/ind.html -DVERSION=1.000.04 -P check_help_version.cmake
file(READ "${HELP}" page)
string(REGEX MATCHALL "[0-9]+\\.[0-9][0-9][0-9]\\.[0-9][0-9]" named "${page}")
if(NOT named)
  message(FATAL_ERROR "${HELP} names no version; the program's is ${VERSION}")
endif()
foreach(version IN LISTS named)
  if(NOT version STREQUAL VERSION)
    message(FATAL_ERROR "${HELP} names version ${version}; the program's is ${VERSION}")
  endif()
endforeach()
