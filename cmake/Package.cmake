# A Debian package of the installed files: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mindprism)
set(CPACK_PACKAGE_VENDOR Larkspan)
set(CPACK_PACKAGE_CONTACT "Larkspan <support@larkspan.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Branching personality quizzes, one question at a time")
set(CPACK_PACKAGE_DESCRIPTION
    "Mind Prism walks you through a branching personality quiz, one question at a
time, and shows your result at the end. Two quizzes come with it; the interface
speaks Chinese (Simplified) and English. mindprism-check finds broken links,
unreachable questions and dead ends in quiz files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.larkspan.example/")
# Library dependencies are read off the binaries; the toolkit's own
# translations and a Chinese font make the Chinese interface complete.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "wx3.2-i18n, fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_STRIP_FILES ON)
include(CPack)
