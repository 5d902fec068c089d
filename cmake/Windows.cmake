# The Windows build, cross-compiled with MinGW-w64 (cmake/MinGW-w64.cmake)
# against a static wxMSW (tools/windows/build-toolkit.sh).
# One self-contained executable each: no MinGW runtime DLL to ship.
add_link_options(-static -static-libgcc -static-libstdc++)

# The toolkit's own texts in Chinese travel with the program (on Linux the
# system's wx3.2-i18n provides them). Debian's catalogue, from the build
# machine.
set(MINDPRISM_WXSTD_ZH_CN /usr/share/locale/zh_CN/LC_MESSAGES/wxstd-3.2.mo
    CACHE FILEPATH "The toolkit's Chinese (Simplified) catalogue (Debian's wx3.2-i18n)")
if(NOT EXISTS ${MINDPRISM_WXSTD_ZH_CN})
  message(FATAL_ERROR "${MINDPRISM_WXSTD_ZH_CN} is missing: install wx3.2-i18n")
endif()
set(wxstd_dir ${MINDPRISM_RUNTIME_DIR}/locales/zh_CN/LC_MESSAGES)
add_custom_command(
  OUTPUT ${wxstd_dir}/wxstd.mo
  COMMAND ${CMAKE_COMMAND} -E make_directory ${wxstd_dir}
  COMMAND ${CMAKE_COMMAND} -E copy ${MINDPRISM_WXSTD_ZH_CN} ${wxstd_dir}/wxstd.mo
  DEPENDS ${MINDPRISM_WXSTD_ZH_CN})
add_custom_target(mindprism_toolkit_catalogues ALL DEPENDS ${wxstd_dir}/wxstd.mo)
install(FILES ${wxstd_dir}/wxstd.mo
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mindprism/locales/zh_CN/LC_MESSAGES)
