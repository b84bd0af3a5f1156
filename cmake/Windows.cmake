# The Windows build: kelvort.exe on the Win32 and COM platform, its tests, the benchmark of
# the run through COM, and the stand-in CATIA as a COM automation server (for tests,
# benchmarks and demonstrations; never installed).
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
add_library(kelvort_standin STATIC ${KELVORT_STANDIN_SOURCES})
target_include_directories(kelvort_standin PUBLIC standin)
target_link_libraries(kelvort_standin PUBLIC kelvort_core)
add_executable(cnext ${KELVORT_STANDIN_MAIN})
target_link_libraries(cnext PRIVATE kelvort_standin shell32)
set_target_properties(cnext PROPERTIES OUTPUT_NAME CNEXT SUFFIX .exe)

install(TARGETS kelvort RUNTIME DESTINATION bin)
install(DIRECTORY Config Help DESTINATION .)

add_subdirectory(tests/platform/windows)
add_subdirectory(bench)
add_subdirectory(tests/windows_gui)
