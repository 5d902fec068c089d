# Eigen, the header-only linear algebra library the balance of results
# solves its larger systems with (Debian's libeigen3-dev), as the target
# mindprism_eigen. Only its parts under the MPL2 licence may be used.
# The Windows cross build looks for packages only under the MinGW root, and
# /usr/include itself must stay out of its search path (the Linux C
# library's headers are there); Eigen's headers have a folder of their own,
# which holds nothing else, and are the same on every platform.
add_library(mindprism_eigen INTERFACE)
target_compile_definitions(mindprism_eigen INTERFACE EIGEN_MPL2_ONLY)
if(CMAKE_CROSSCOMPILING)
  find_path(MINDPRISM_EIGEN_INCLUDE signature_of_eigen3_matrix_library PATHS /usr/include/eigen3
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT MINDPRISM_EIGEN_INCLUDE)
    message(FATAL_ERROR "Eigen not found: install libeigen3-dev (tools/windows.sh does)")
  endif()
  target_include_directories(mindprism_eigen SYSTEM INTERFACE ${MINDPRISM_EIGEN_INCLUDE})
else()
  find_package(Eigen3 3.3 CONFIG)
  if(NOT Eigen3_FOUND)
    message(FATAL_ERROR "Eigen not found: install libeigen3-dev (tools/run.sh does)")
  endif()
  target_link_libraries(mindprism_eigen INTERFACE Eigen3::Eigen)
endif()
