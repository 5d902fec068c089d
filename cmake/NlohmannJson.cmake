# nlohmann-json (Debian's header-only nlohmann-json3-dev), for the checker's
# JSON output and the data inside exported web pages. Its header is the same
# on every platform, but the Windows cross build looks for packages only
# under the MinGW root, and /usr/include itself must stay out of its search
# path (the Linux C library's headers are there): the header's own folder is
# linked into one of the build's, which holds nothing else.
if(CMAKE_CROSSCOMPILING)
  find_path(MINDPRISM_NLOHMANN_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT MINDPRISM_NLOHMANN_JSON_INCLUDE)
    message(FATAL_ERROR "nlohmann/json.hpp not found: install nlohmann-json3-dev (tools/windows.sh does)")
  endif()
  set(json_include ${CMAKE_BINARY_DIR}/third-party/include)
  file(MAKE_DIRECTORY ${json_include})
  file(CREATE_LINK ${MINDPRISM_NLOHMANN_JSON_INCLUDE}/nlohmann ${json_include}/nlohmann SYMBOLIC)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${json_include})
else()
  find_package(nlohmann_json 3 CONFIG)
  if(NOT nlohmann_json_FOUND)
    message(FATAL_ERROR "nlohmann-json not found: install nlohmann-json3-dev (tools/run.sh does)")
  endif()
endif()
