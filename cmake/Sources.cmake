# The sources of the core library and of the stand-in. Platform folders hold the code of
# one platform each; the build takes the folder of its target.
if(WIN32)
  set(KELVORT_PLATFORM_DIR windows)
else()
  set(KELVORT_PLATFORM_DIR posix)
endif()

# Every .cpp under src/ belongs to the core library, except the program's main and the
# other platforms' folders.
file(GLOB_RECURSE KELVORT_CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp)
list(FILTER KELVORT_CORE_SOURCES EXCLUDE REGEX "/src/app/main\\.cpp$")
list(FILTER KELVORT_CORE_SOURCES EXCLUDE REGEX "/src/platform/(posix|windows)/")
file(GLOB_RECURSE platform_sources CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/src/platform/${KELVORT_PLATFORM_DIR}/*.cpp)
list(APPEND KELVORT_CORE_SOURCES ${platform_sources})
# The forms' desktop renderer: real windows on Windows, none elsewhere.
if(WIN32)
  set(KELVORT_DESKTOP_DIR win32)
else()
  set(KELVORT_DESKTOP_DIR posix)
endif()
list(FILTER KELVORT_CORE_SOURCES EXCLUDE REGEX "/src/forms/(posix|win32)/")
file(GLOB desktop_sources CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/src/forms/${KELVORT_DESKTOP_DIR}/*.cpp)
list(APPEND KELVORT_CORE_SOURCES ${desktop_sources})

# The stand-in: its object model in standin/, its server face in standin/<platform>/.
file(GLOB KELVORT_STANDIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/standin/*.cpp)
file(GLOB standin_platform_sources CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/standin/${KELVORT_PLATFORM_DIR}/*.cpp)
list(FILTER standin_platform_sources EXCLUDE REGEX "/main\\.cpp$")
list(APPEND KELVORT_STANDIN_SOURCES ${standin_platform_sources})
set(KELVORT_STANDIN_MAIN ${CMAKE_SOURCE_DIR}/standin/${KELVORT_PLATFORM_DIR}/main.cpp)
