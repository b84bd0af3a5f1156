# What the Windows build adds to the common rules: the Win32 and COM libraries of the core,
# the resource compiler for the forms' images, and the GUI subsystem of the program.
enable_language(RC)
target_link_libraries(kelvort_core PUBLIC ole32 oleaut32 uuid user32 gdi32)

# The forms' images, embedded in every executable that shows windows.
set(KELVORT_WIN32_RESOURCES ${CMAKE_SOURCE_DIR}/resources/win32/kelvort.rc)

# kelvort_windows_program(TARGET): a GUI-subsystem program (no console window when started
# from Explorer) with the forms' images.
function(kelvort_windows_program target)
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  target_sources(${target} PRIVATE ${KELVORT_WIN32_RESOURCES})
  if(MSVC)
    target_link_options(${target} PRIVATE /ENTRY:mainCRTStartup)
  endif()
endfunction()
