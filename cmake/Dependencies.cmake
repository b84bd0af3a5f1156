# Third-party libraries, as Debian packages them.
if(KELVORT_CORE_ONLY AND CMAKE_CROSSCOMPILING)
  # A cross build compiles the core library only; it needs the headers of the
  # header-only uses, copied away from the host's system include folder.
  set(cross_include ${CMAKE_BINARY_DIR}/cross-include)
  file(MAKE_DIRECTORY ${cross_include})
  file(COPY /usr/include/pugixml.hpp /usr/include/pugiconfig.hpp /usr/include/nlohmann
       DESTINATION ${cross_include})
  add_library(kelvort::pugixml INTERFACE IMPORTED)
  target_include_directories(kelvort::pugixml INTERFACE ${cross_include})
  add_library(kelvort::json INTERFACE IMPORTED)
  target_include_directories(kelvort::json INTERFACE ${cross_include})
else()
  find_package(pugixml REQUIRED)
  find_package(nlohmann_json 3 REQUIRED)
  add_library(kelvort::pugixml ALIAS pugixml::pugixml)
  add_library(kelvort::json ALIAS nlohmann_json::nlohmann_json)
endif()
