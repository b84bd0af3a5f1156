# The Windows build: kelvort.exe on the Win32 and COM platform, and its tests. The Windows
# stand-in is not built here.
enable_language(RC)
target_link_libraries(kelvort_core PUBLIC ole32 oleaut32 uuid user32 gdi32)

# The forms' images, embedded in every executable that shows windows.
set(KELVORT_WIN32_RESOURCES ${CMAKE_SOURCE_DIR}/resources/win32/kelvort.rc)
# A GUI-subsystem program: no console window when started from Explorer.
add_executable(kelvort WIN32 src/app/main.cpp ${KELVORT_WIN32_RESOURCES})
target_link_libraries(kelvort PRIVATE kelvort_core)
if(MSVC)
  target_link_options(kelvort PRIVATE /ENTRY:mainCRTStartup)
endif()

foreach(dir Config Help)
  add_custom_target(copy_${dir} ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/${dir} ${CMAKE_BINARY_DIR}/${dir})
endforeach()
install(TARGETS kelvort RUNTIME DESTINATION bin)
install(DIRECTORY Config Help DESTINATION .)

add_subdirectory(tests/platform/windows)
add_subdirectory(tests/windows_gui)
