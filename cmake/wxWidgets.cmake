# Imported targets for wxWidgets from wx-config:
#   wx::base  wxBase + wxXml only (the quiz engine, the XML writer, tools)
#   wx::gui   the windows as well (core, adv, aui)
# The system's wx-config (wxGTK) by default; a cross build names the one of
# its own toolkit, e.g. -DWX_CONFIG=<prefix>/bin/wx-config.
find_program(WX_CONFIG NAMES wx-config REQUIRED)

function(_mindprism_wx_config out)
  execute_process(COMMAND ${WX_CONFIG} ${ARGN}
                  OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${WX_CONFIG} ${ARGN} failed; install libwxgtk3.2-dev")
  endif()
  separate_arguments(value UNIX_COMMAND "${value}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

_mindprism_wx_config(WX_VERSION --version)
if(WX_VERSION VERSION_LESS 3.2)
  message(FATAL_ERROR "wxWidgets 3.2 or later is needed, found ${WX_VERSION}")
endif()
_mindprism_wx_config(WX_CXXFLAGS --cxxflags)
_mindprism_wx_config(WX_BASE_LIBS --libs base,xml)
_mindprism_wx_config(WX_GUI_LIBS --libs base,core,aui,xml)
if(WIN32)
  # wxMSW's flags make every program a windowed one; tests and the checker
  # are console programs, and the application says so itself.
  list(FILTER WX_BASE_LIBS EXCLUDE REGEX "^(-mwindows|-Wl,--subsystem,windows)$")
  list(FILTER WX_GUI_LIBS EXCLUDE REGEX "^(-mwindows|-Wl,--subsystem,windows)$")
endif()

# C++ only: a resource compiler takes none of these flags (see WX_RC_INCLUDES).
set(WX_CXX_OPTIONS ${WX_CXXFLAGS})
list(TRANSFORM WX_CXX_OPTIONS PREPEND "$<$<COMPILE_LANGUAGE:CXX>:")
list(TRANSFORM WX_CXX_OPTIONS APPEND ">")
add_library(wx::base INTERFACE IMPORTED)
set_target_properties(wx::base PROPERTIES
  INTERFACE_COMPILE_OPTIONS "${WX_CXX_OPTIONS}"
  INTERFACE_LINK_LIBRARIES "${WX_BASE_LIBS}")
add_library(wx::gui INTERFACE IMPORTED)
set_target_properties(wx::gui PROPERTIES
  INTERFACE_COMPILE_OPTIONS "${WX_CXX_OPTIONS}"
  INTERFACE_LINK_LIBRARIES "${WX_GUI_LIBS}")

# The toolkit's include folders, for resource scripts that include its own.
set(WX_RC_INCLUDES)
foreach(flag IN LISTS WX_CXXFLAGS)
  if(flag MATCHES "^-I(.+)$")
    list(APPEND WX_RC_INCLUDES ${CMAKE_MATCH_1})
  endif()
endforeach()
