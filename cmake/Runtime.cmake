# Copies the quiz files and pictures beside the executable in the build tree
# (the catalogues are compiled there by po/), and installs them.
add_custom_target(mindprism_runtime ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data ${MINDPRISM_RUNTIME_DIR}/data
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/img ${MINDPRISM_RUNTIME_DIR}/img
  COMMENT "Copying run-time files")
add_dependencies(mindprism mindprism_runtime mindprism_catalogues)
# The desktop's copies of the icon are installed by desktop/, not here.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data ${CMAKE_SOURCE_DIR}/img
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mindprism
        PATTERN hicolor EXCLUDE
        PATTERN mindprism.svg EXCLUDE)
