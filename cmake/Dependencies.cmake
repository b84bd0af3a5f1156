# Third-party libraries. Native builds take Debian's packages (or, on Windows, what
# find_package finds, vcpkg's for one); the MinGW cross build compiles them from Debian's
# source packages, which scripts/build-windows.sh fetches.
set(KELVORT_PUGIXML_SOURCE_DIR "" CACHE PATH "pugixml's unpacked source (compiled into the build)")

if(KELVORT_PUGIXML_SOURCE_DIR)
  add_library(kelvort_pugixml STATIC ${KELVORT_PUGIXML_SOURCE_DIR}/src/pugixml.cpp)
  target_include_directories(kelvort_pugixml SYSTEM PUBLIC ${KELVORT_PUGIXML_SOURCE_DIR}/src)
  add_library(kelvort::pugixml ALIAS kelvort_pugixml)
else()
  find_package(pugixml REQUIRED)
  add_library(kelvort::pugixml ALIAS pugixml::pugixml)
endif()
