# The Windows build: kelvort.exe on the Win32 and COM platform, and its tests. The Windows
# stand-in is not built here.
target_link_libraries(kelvort_core PUBLIC ole32 oleaut32 uuid user32)

# A GUI-subsystem program: no console window when started from Explorer.
add_executable(kelvort WIN32 src/app/main.cpp)
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
