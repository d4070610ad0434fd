# CLI11 and nlohmann json are header-only. The cross build takes Debian's copies of
# these two alone, through a folder of its own (all of /usr/include would shadow the
# MinGW headers).
if(WIN32)
  set(host_headers ${CMAKE_BINARY_DIR}/host-headers)
  file(MAKE_DIRECTORY ${host_headers})
  file(CREATE_LINK /usr/include/CLI ${host_headers}/CLI SYMBOLIC)
  file(CREATE_LINK /usr/include/nlohmann ${host_headers}/nlohmann SYMBOLIC)
  add_library(host_header_libraries INTERFACE)
  target_include_directories(host_header_libraries SYSTEM INTERFACE ${host_headers})
  add_library(CLI11::CLI11 ALIAS host_header_libraries)
  add_library(nlohmann_json::nlohmann_json ALIAS host_header_libraries)
else()
  find_package(CLI11 CONFIG REQUIRED)
  find_package(nlohmann_json 3 REQUIRED)
endif()
