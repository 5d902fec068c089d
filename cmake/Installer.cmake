# The Windows installer (NSIS): `cmake --build build-windows --target installer`
# writes Mind-Prism-<version>-setup.exe into the build folder. It installs
# the same tree as `cmake --install`: bin\ and share\mindprism\ under
# Program Files\Mind Prism.
find_program(MAKENSIS makensis)
if(NOT MAKENSIS)
  message(STATUS "makensis not found (Debian's nsis): no installer target")
  return()
endif()

set(installer_dir ${CMAKE_BINARY_DIR}/installer)
set(MINDPRISM_SETUP ${CMAKE_BINARY_DIR}/Mind-Prism-${PROJECT_VERSION}-setup.exe)
# Staged afresh each time, so a file dropped from the build leaves the
# installer too.
add_custom_target(installer
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${installer_dir}
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${installer_dir}/stage --strip
  COMMAND ${CMAKE_COMMAND} -DSTAGE=${installer_dir}/stage
          -DINSTALL_LIST=${installer_dir}/install.nsh -DUNINSTALL_LIST=${installer_dir}/uninstall.nsh
          -P ${CMAKE_SOURCE_DIR}/cmake/NsisFileLists.cmake
  COMMAND ${MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DOUTFILE=${MINDPRISM_SETUP}
          -DINSTALL_LIST=${installer_dir}/install.nsh
          -DUNINSTALL_LIST=${installer_dir}/uninstall.nsh
          ${CMAKE_SOURCE_DIR}/installer/mindprism.nsi
  COMMENT "Making ${MINDPRISM_SETUP}"
  VERBATIM)
add_dependencies(installer mindprism mindprism-check mindprism_runtime mindprism_catalogues
                 mindprism_toolkit_catalogues)
