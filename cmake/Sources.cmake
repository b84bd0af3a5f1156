# Every .cpp under src/ belongs to the core library, except the program's main and
# the platform folders, of which the build takes the one of its target.
file(GLOB_RECURSE KELVORT_CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp)
list(FILTER KELVORT_CORE_SOURCES EXCLUDE REGEX "/src/app/main\\.cpp$")
list(FILTER KELVORT_CORE_SOURCES EXCLUDE REGEX "/src/platform/(posix|windows)/")
if(WIN32)
  set(platform_dir windows)
else()
  set(platform_dir posix)
endif()
file(GLOB_RECURSE platform_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/${platform_dir}/*.cpp)
list(APPEND KELVORT_CORE_SOURCES ${platform_sources})

file(GLOB_RECURSE KELVORT_STANDIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/standin/*.cpp)
list(FILTER KELVORT_STANDIN_SOURCES EXCLUDE REGEX "/standin/main\\.cpp$")
