# What differs between the platforms is kept in one small source file per
# difference; this picks the files (and what they need) for the target.
#   MINDPRISM_LABEL_MEASURE       how a wrapped label is measured
#   MINDPRISM_LABEL_MEASURE_LIBS  what that file links against
#   MINDPRISM_COMMAND_SPLIT       how an open command is split into arguments
#   MINDPRISM_SETTINGS_STORE      where the setting is stored
#   MINDPRISM_CHECK_COMMAND_LINE  how the checker reads file names and writes
#   MINDPRISM_TEST_RUN_PROGRAM    how tests run a program through the shell
#   MINDPRISM_TEST_GUI_PLATFORM   where window tests keep settings and the
#                                 stand-in browser
#   MINDPRISM_TEST_LABEL_LINES    how window tests read a label's shown lines
if(WIN32)
  set(MINDPRISM_LABEL_MEASURE label_measure_msw.cpp)
  set(MINDPRISM_LABEL_MEASURE_LIBS "")
  set(MINDPRISM_COMMAND_SPLIT command_split_msw.cpp)
  set(MINDPRISM_SETTINGS_STORE settings_store_msw.cpp)
  set(MINDPRISM_CHECK_COMMAND_LINE command_line_msw.cpp)
  set(MINDPRISM_TEST_RUN_PROGRAM run_program_msw.cpp)
  set(MINDPRISM_TEST_GUI_PLATFORM gui_test_platform_msw.cpp)
  set(MINDPRISM_TEST_LABEL_LINES label_lines_msw.cpp)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET GLOBAL gtk+-3.0)
  set(MINDPRISM_LABEL_MEASURE label_measure_gtk.cpp)
  set(MINDPRISM_LABEL_MEASURE_LIBS PkgConfig::GTK3)
  set(MINDPRISM_COMMAND_SPLIT command_split_unix.cpp)
  set(MINDPRISM_SETTINGS_STORE settings_store_xdg.cpp)
  set(MINDPRISM_CHECK_COMMAND_LINE command_line_posix.cpp)
  set(MINDPRISM_TEST_RUN_PROGRAM run_program_posix.cpp)
  set(MINDPRISM_TEST_GUI_PLATFORM gui_test_platform_xdg.cpp)
  set(MINDPRISM_TEST_LABEL_LINES label_lines_gtk.cpp)
endif()
