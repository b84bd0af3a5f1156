# The program's version text, made from the project's version (the only place it is written):
# the major number, the minor in three digits and the patch in two, "1.000.04" for 1.0.4.
# It reaches the code as KELVORT_VERSION_TEXT in the generated header kelvort_version.h.
function(kelvort_zero_padded number width out)
  string(LENGTH "${number}" length)
  if(length GREATER width)
    message(FATAL_ERROR "The version number ${number} does not fit in ${width} digits")
  endif()
  math(EXPR zeros "${width} - ${length}")
  set(padding "")
  if(zeros GREATER 0)
    string(REPEAT 0 ${zeros} padding)
  endif()
  set(${out} "${padding}${number}" PARENT_SCOPE)
endfunction()

kelvort_zero_padded(${PROJECT_VERSION_MINOR} 3 minor)
kelvort_zero_padded(${PROJECT_VERSION_PATCH} 2 patch)
set(KELVORT_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${minor}.${patch}")
set(KELVORT_GENERATED_INCLUDE_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/cmake/kelvort_version.h.in
               ${KELVORT_GENERATED_INCLUDE_DIR}/kelvort_version.h @ONLY)
