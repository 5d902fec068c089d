# What differs between the platforms is kept in one small source file per
# difference; this picks the files (and what they need) for the target.
#   MINDPRISM_LABEL_MEASURE       how a wrapped label is measured
#   MINDPRISM_LABEL_MEASURE_LIBS  what that file links against (and the next ones)
#   MINDPRISM_LIST_FOCUS          how a label's mnemonic focuses a list's rows
#   MINDPRISM_COMPLETION_FILTER   which of a completer's completions show
#   MINDPRISM_LIST_ROWS           how tall a list box's row is
#   MINDPRISM_COMMAND_SPLIT       how an open command is split into arguments
#   MINDPRISM_SETTINGS_STORE      where the setting is stored
#   MINDPRISM_CHECK_COMMAND_LINE  how the checker reads file names and writes
#   MINDPRISM_WATCHER_END         how a file-system watcher is let go
#   MINDPRISM_TEST_RUN_PROGRAM    how tests run a program through the shell
#   MINDPRISM_TEST_GUI_PLATFORM   where window tests keep settings and the
#                                 stand-in browser
#   MINDPRISM_TEST_LABEL_LINES    how window tests read a label's shown lines
#   MINDPRISM_TEST_FOCUS_HOLDER   how window tests find the focused control
#   MINDPRISM_THREAD_PRIORITY     how background work is put behind the window
#   MINDPRISM_SAFE_SAVE           how a saved file takes the old one's place
#   MINDPRISM_MAP_RENDER          how quiz maps are laid out and drawn: with
#   MINDPRISM_MAP_RENDER_LIBS     Graphviz's libraries, or not at all (then
#                                 the checker writes DOT only and the window
#                                 has no map)
if(WIN32)
  set(MINDPRISM_LABEL_MEASURE label_measure_msw.cpp)
  set(MINDPRISM_LABEL_MEASURE_LIBS "")
  set(MINDPRISM_LIST_FOCUS list_focus_msw.cpp)
  set(MINDPRISM_COMPLETION_FILTER completion_filter_msw.cpp)
  set(MINDPRISM_LIST_ROWS list_rows_msw.cpp)
  set(MINDPRISM_COMMAND_SPLIT command_split_msw.cpp)
  set(MINDPRISM_WATCHER_END watcher_end_msw.cpp)
  set(MINDPRISM_SETTINGS_STORE settings_store_msw.cpp)
  set(MINDPRISM_CHECK_COMMAND_LINE command_line_msw.cpp)
  set(MINDPRISM_TEST_RUN_PROGRAM run_program_msw.cpp)
  set(MINDPRISM_TEST_GUI_PLATFORM gui_test_platform_msw.cpp)
  set(MINDPRISM_TEST_LABEL_LINES label_lines_msw.cpp)
  set(MINDPRISM_TEST_FOCUS_HOLDER focus_holder_msw.cpp)
  set(MINDPRISM_THREAD_PRIORITY thread_priority_msw.cpp)
  set(MINDPRISM_SAFE_SAVE safe_save_msw.cpp)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET GLOBAL gtk+-3.0)
  set(MINDPRISM_LABEL_MEASURE label_measure_gtk.cpp)
  set(MINDPRISM_LABEL_MEASURE_LIBS PkgConfig::GTK3)
  set(MINDPRISM_LIST_FOCUS list_focus_gtk.cpp)
  set(MINDPRISM_COMPLETION_FILTER completion_filter_gtk.cpp)
  set(MINDPRISM_LIST_ROWS list_rows_gtk.cpp)
  set(MINDPRISM_COMMAND_SPLIT command_split_unix.cpp)
  set(MINDPRISM_WATCHER_END watcher_end_inotify.cpp)
  set(MINDPRISM_SETTINGS_STORE settings_store_xdg.cpp)
  set(MINDPRISM_CHECK_COMMAND_LINE command_line_posix.cpp)
  set(MINDPRISM_TEST_RUN_PROGRAM run_program_posix.cpp)
  set(MINDPRISM_TEST_GUI_PLATFORM gui_test_platform_xdg.cpp)
  set(MINDPRISM_TEST_LABEL_LINES label_lines_gtk.cpp)
  set(MINDPRISM_TEST_FOCUS_HOLDER focus_holder_gtk.cpp)
  set(MINDPRISM_THREAD_PRIORITY thread_priority_posix.cpp)
  set(MINDPRISM_SAFE_SAVE safe_save_posix.cpp)
endif()

# Graphviz's libraries: on Linux Debian's, when they are there (a cross
# build would find the build machine's own through pkg-config, so it does
# not look); on Windows the static ones tools/windows/build-graphviz.sh
# builds into MINDPRISM_GRAPHVIZ_PREFIX, when it is given.
#   MINDPRISM_GRAPHVIZ_PLUGINS    which of Graphviz's plugins a layout has:
#                                 those Debian registers, or those linked in
if(CMAKE_CROSSCOMPILING)
  set(graphviz_default OFF)
else()
  set(graphviz_default ON)
endif()
option(MINDPRISM_GRAPHVIZ "Lay out and draw quiz maps with Graphviz, when found" ${graphviz_default})
set(MINDPRISM_GRAPHVIZ_PREFIX "" CACHE PATH "Graphviz's static libraries for the Windows build")
set(GRAPHVIZ_FOUND FALSE)
if(WIN32 AND MINDPRISM_GRAPHVIZ_PREFIX)
  # In the order they need each other.
  set(graphviz_static_libraries gvplugin_dot_layout gvrender_svg gvc xdot pathplan cgraph cdt)
  list(TRANSFORM graphviz_static_libraries REPLACE "(.+)" "${MINDPRISM_GRAPHVIZ_PREFIX}/lib/lib\\1.a")
  add_library(mindprism_graphviz INTERFACE IMPORTED GLOBAL)
  target_include_directories(mindprism_graphviz INTERFACE ${MINDPRISM_GRAPHVIZ_PREFIX}/include)
  target_link_libraries(mindprism_graphviz INTERFACE ${graphviz_static_libraries})
  file(STRINGS ${MINDPRISM_GRAPHVIZ_PREFIX}/include/graphviz/graphviz_version.h graphviz_version
       REGEX "PACKAGE_VERSION")
  string(REGEX REPLACE ".*\"(.*)\".*" "\\1" GRAPHVIZ_libgvc_VERSION "${graphviz_version}")
  set(GRAPHVIZ_FOUND TRUE)
  set(MINDPRISM_GRAPHVIZ_PLUGINS graphviz_plugins_linked.cpp)
elseif(MINDPRISM_GRAPHVIZ AND NOT WIN32)
  find_package(PkgConfig QUIET)
  if(PKG_CONFIG_FOUND)
    pkg_check_modules(GRAPHVIZ QUIET IMPORTED_TARGET GLOBAL libgvc libcgraph)
  endif()
  if(GRAPHVIZ_FOUND)
    add_library(mindprism_graphviz ALIAS PkgConfig::GRAPHVIZ)
  endif()
  set(MINDPRISM_GRAPHVIZ_PLUGINS graphviz_plugins_registered.cpp)
endif()
# The tests read maps back with Graphviz when the build draws with it.
set(MINDPRISM_HAVE_GRAPHVIZ "${GRAPHVIZ_FOUND}" CACHE INTERNAL "")
if(GRAPHVIZ_FOUND)
  message(STATUS "Quiz maps: laid out and drawn with Graphviz ${GRAPHVIZ_libgvc_VERSION}")
  set(MINDPRISM_MAP_RENDER map_render_graphviz.cpp ${MINDPRISM_GRAPHVIZ_PLUGINS})
  set(MINDPRISM_MAP_RENDER_LIBS mindprism_graphviz)
else()
  message(STATUS "Quiz maps: DOT only (Graphviz's libgvc and libcgraph not used)")
  set(MINDPRISM_MAP_RENDER map_render_none.cpp)
  set(MINDPRISM_MAP_RENDER_LIBS "")
endif()
